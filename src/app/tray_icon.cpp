#include "app/tray_icon.h"

namespace ravenlock {

void TrayIcon::Show(HWND owner, HICON icon, const std::wstring& tip) {
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    data_.cbSize = sizeof(data_);
    data_.hWnd = owner;
    data_.uID = 1;
    data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = icon;
    tip.copy(data_.szTip, sizeof(data_.szTip) / sizeof(wchar_t) - 1);
    Add();
}

void TrayIcon::Add() {
    shown_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

void TrayIcon::SetTip(const std::wstring& tip) {
    if (tip == data_.szTip) return;
    ZeroMemory(data_.szTip, sizeof(data_.szTip));
    tip.copy(data_.szTip, sizeof(data_.szTip) / sizeof(wchar_t) - 1);
    if (shown_) Shell_NotifyIconW(NIM_MODIFY, &data_);
}

void TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text) {
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_INFO;
    title.copy(balloon.szInfoTitle, sizeof(balloon.szInfoTitle) / sizeof(wchar_t) - 1);
    text.copy(balloon.szInfo, sizeof(balloon.szInfo) / sizeof(wchar_t) - 1);
    if (shown_) Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

void TrayIcon::Remove() {
    if (shown_) Shell_NotifyIconW(NIM_DELETE, &data_);
    shown_ = false;
}

bool TrayIcon::HandleTaskbarCreated(UINT msg) {
    if (!taskbarCreated_ || msg != taskbarCreated_) return false;
    Add();
    return true;
}

}  // namespace ravenlock
