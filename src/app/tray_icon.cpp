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
