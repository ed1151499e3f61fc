#pragma once
// The notification-area icon. It is added again when Explorer restarts (the
// "TaskbarCreated" broadcast), so the program never loses its only handle while hidden.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/control_ids.h"

namespace ravenlock {

class TrayIcon {
public:
    static constexpr UINT kCallbackMessage = ids::kTrayCallbackMessage;

    void Show(HWND owner, HICON icon, const std::wstring& tip);
    void Remove();
    // A new tooltip, cut to the area's limit.
    void SetTip(const std::wstring& tip);
    // A balloon from the icon; its click comes back as NIN_BALLOONUSERCLICK.
    void ShowBalloon(const std::wstring& title, const std::wstring& text);
    // True when msg is Explorer's "TaskbarCreated" broadcast; the icon is then added again.
    bool HandleTaskbarCreated(UINT msg);

private:
    void Add();
    NOTIFYICONDATAW data_{};
    bool shown_ = false;
    UINT taskbarCreated_ = 0;
};

}  // namespace ravenlock
