#include "real_input.h"

#include <thread>

namespace e2e::input {

namespace {

using namespace std::chrono_literals;

// Between events of one gesture: long enough for the program to see them apart, well
// inside the double-click time.
constexpr auto kStep = 60ms;

void SendMouse(DWORD flags, POINT at) {
    // Absolute positions are in 0..65535 across the primary screen.
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((at.x * 65535 + w / 2) / (w - 1));
    in.mi.dy = static_cast<LONG>((at.y * 65535 + h / 2) / (h - 1));
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(in));
    std::this_thread::sleep_for(kStep);
}

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof(in));
    std::this_thread::sleep_for(kStep);
}

}  // namespace

POINT CentreOf(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

POINT ScreenPoint(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return client;
}

void MoveTo(POINT at) {
    SendMouse(0, at);
    // The pointer settles where it was sent before a button goes down there.
    SetCursorPos(at.x, at.y);
    std::this_thread::sleep_for(kStep);
}

void LeftClick(POINT at) {
    MoveTo(at);
    SendMouse(MOUSEEVENTF_LEFTDOWN, at);
    SendMouse(MOUSEEVENTF_LEFTUP, at);
}

void LeftDoubleClick(POINT at) {
    MoveTo(at);
    for (int i = 0; i < 2; ++i) {
        SendMouse(MOUSEEVENTF_LEFTDOWN, at);
        SendMouse(MOUSEEVENTF_LEFTUP, at);
    }
    // The next click must not pair with these.
    std::this_thread::sleep_for(std::chrono::milliseconds(GetDoubleClickTime() + 100));
}

void LeftPress(POINT at) {
    MoveTo(at);
    SendMouse(MOUSEEVENTF_LEFTDOWN, at);
}

void LeftRelease(POINT at) {
    SendMouse(MOUSEEVENTF_LEFTUP, at);
    std::this_thread::sleep_for(std::chrono::milliseconds(GetDoubleClickTime() + 100));
}

void LeftDrag(POINT from, POINT to) {
    LeftPress(from);
    SendMouse(0, to);
    LeftRelease(to);
}

void RightClick(POINT at) {
    MoveTo(at);
    SendMouse(MOUSEEVENTF_RIGHTDOWN, at);
    SendMouse(MOUSEEVENTF_RIGHTUP, at);
}

void PressKeys(const std::vector<WORD>& virtualKeys, int repeats) {
    for (WORD vk : virtualKeys) SendKey(vk, false);
    for (int i = 0; i < repeats && !virtualKeys.empty(); ++i) SendKey(virtualKeys.back(), false);
    for (auto it = virtualKeys.rbegin(); it != virtualKeys.rend(); ++it) SendKey(*it, true);
}

}  // namespace e2e::input
