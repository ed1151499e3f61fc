#include "app/tray_icon.h"

#include "platform/late_libraries.h"

namespace ravenlock {

namespace {

constexpr wchar_t kTrayFeature[] = L"значок в области уведомлений";

// The shell is loaded with the icon, after the first paint; only Show can meet a missing
// shell, the other calls come after a shown icon.
BOOL Notify(DWORD message, NOTIFYICONDATAW* data) {
    return late::Shell32(kTrayFeature).Shell_NotifyIconW(message, data);
}

}  // namespace

void TrayIcon::Show(HWND owner, HICON icon, const std::wstring& tip) {
    late::Shell32(kTrayFeature);  // a missing shell says so before anything is set up
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
    shown_ = Notify(NIM_ADD, &data_) != FALSE;
}

void TrayIcon::SetTip(const std::wstring& tip) {
    if (tip == data_.szTip) return;
    ZeroMemory(data_.szTip, sizeof(data_.szTip));
    tip.copy(data_.szTip, sizeof(data_.szTip) / sizeof(wchar_t) - 1);
    if (shown_) Notify(NIM_MODIFY, &data_);
}

void TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text) {
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_INFO;
    title.copy(balloon.szInfoTitle, sizeof(balloon.szInfoTitle) / sizeof(wchar_t) - 1);
    text.copy(balloon.szInfo, sizeof(balloon.szInfo) / sizeof(wchar_t) - 1);
    if (shown_) Notify(NIM_MODIFY, &balloon);
}

void TrayIcon::Remove() {
    if (shown_) Notify(NIM_DELETE, &data_);
    shown_ = false;
}

bool TrayIcon::HandleTaskbarCreated(UINT msg) {
    if (!taskbarCreated_ || msg != taskbarCreated_) return false;
    Add();
    return true;
}

}  // namespace ravenlock
