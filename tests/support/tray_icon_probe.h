#pragma once
// Asks the notification area, from outside the program, whether a window's icon (id 1) is
// there: changing nothing succeeds only for an icon it holds. For the tests and the bench.
#include <windows.h>
#include <shellapi.h>

namespace ravenlock::testing {

inline bool TrayIconPresent(HWND owner) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = 1;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace ravenlock::testing
