#include "ui/ui_thread.h"

#include <windows.h>

#include <atomic>

#include "ui/dispatch.h"
#include "ui/window.h"

namespace ravenlock::ui {

namespace {

std::atomic<HWND> g_target{nullptr};
DWORD g_uiThread = 0;

LRESULT CALLBACK HandOverProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kMsgRunClosure) {
        RunHandler(nullptr, *reinterpret_cast<const std::function<void()>*>(lp));
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void InitUiThreadHandOver() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = HandOverProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RavenlockHandOver";
    RegisterClassW(&wc);
    g_uiThread = GetCurrentThreadId();
    g_target = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

void ShutdownUiThreadHandOver() {
    HWND hwnd = g_target.exchange(nullptr);
    if (hwnd) DestroyWindow(hwnd);
}

bool RunOnUiThread(const std::function<void()>& closure) {
    if (GetCurrentThreadId() == g_uiThread) return RunHandler(nullptr, closure);
    HWND hwnd = g_target.load();
    if (!hwnd) return false;
    DWORD_PTR result = 0;
    // SMTO_ABORTIFHUNG-free: the UI thread may be busy in a modal box for long; we wait.
    return SendMessageTimeoutW(hwnd, kMsgRunClosure, 0, reinterpret_cast<LPARAM>(&closure), SMTO_BLOCK, INFINITE,
                               &result) != 0 &&
           result == 1;
}

}  // namespace ravenlock::ui
