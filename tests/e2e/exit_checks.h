#pragma once
// What every way out of the program must leave behind: the hotkey's global atom deleted,
// CTRL+SHIFT+F free for another program, and no icon of ours in the notification area.
#include <windows.h>

namespace e2e {

// The name of the program's hotkey atom.
inline constexpr wchar_t kHotKeyAtom[] = L"FalloutCloseForce";

// Deletes the atom however often earlier (killed) copies added it, so that a test sees
// only what its own copy does; true when it is gone.
bool ClearHotKeyAtom();
bool HotKeyAtomExists();
// True when another process may register CTRL+SHIFT+F (it is released again at once).
bool HotKeyFree();
// Asks the notification area whether the program's icon (owner window, id 1) is still
// there: a change of nothing succeeds only for an icon it holds.
bool TrayIconPresent(HWND owner);

// Checks the three after the program has ended; `window` is its former main window.
void ExpectCleanedUp(HWND window);
// Checks that the three are in place while the program runs (waiting for the start-up
// steps after the first paint), so that their absence afterwards means something.
void ExpectHeld(HWND window);

}  // namespace e2e
