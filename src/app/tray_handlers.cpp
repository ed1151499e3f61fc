// The tray icon, its menu and the global hotkey: the program's handles while the
// window is hidden.
#include "app/main_window.h"
#include "diagnostics/links.h"
#include "platform/tools.h"
#include "platform/processes.h"
#include "ui/modal_wait.h"

namespace ravenlock {

void MainWindow::TrayIconClick() { ToggleMainWindow(); }

void MainWindow::TrayCallback(LPARAM event) {
    const bool menu = event == WM_RBUTTONUP || event == WM_CONTEXTMENU;
    if (ui::WaitInProgress()) {
        // Wine sends these, and Windows may: answered inside the wait, they show nothing.
        if (menu) {
            trayMenuAskedAt_ = GetTickCount64();
            PostMessageW(Handle(), kMsgDeferredTrayMenu, 0, 0);
        }
        return;
    }
    if (event == WM_LBUTTONUP) TrayIconClick();
    if (event == NIN_BALLOONUSERCLICK) ShowMainWindow();
    if (menu) {
        POINT at;
        GetCursorPos(&at);
        TrayPopupMenu.Popup(Handle(), at);
    }
}

void MainWindow::ExitNClick(int tag) {
    switch (tag) {
        case 70: Game.ForceRunGame(); break;
        case 30: {
            // Without the closing separator: quoted as "%1" for a handler, "...\" would
            // end in an escaped quote.
            std::wstring folder = State.GameFolder;
            if (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
            RunProgram(folder);
            break;
        }
        case 20: RunProgram(State.GameProfileFolder); break;
        case 60: RunDiskCheck(); break;
        case 50:
            RunRamMapTool(L"RAMMap", L"-Ew", false);
            RemoveTempFilesTimer.SetEnabled(true);
            break;
        case 40:
            RunRamMapTool(L"RAMMap", L"-Et", false);
            RemoveTempFilesTimer.SetEnabled(true);
            break;
        case 10: ToggleMainWindow(); break;
        case 80: ServersWatch.ToggleArmed(); break;
        case 90: JournalForm.Open(); break;
        case 100: Editions.Choose(EditionKind::Steam); break;
        case 101: Editions.Choose(EditionKind::Store); break;
        case 0:
            FormCloseQuery();
            Terminate();
            break;
        default: break;
    }
}

void MainWindow::MyHotKey(LPARAM lp) {
    // CTRL+SHIFT+F exactly: the game button's click, enabled or not. The no-repeat flag
    // we registered with is no key, should a system report it back.
    const UINT modifiers = LOWORD(lp) & ~static_cast<UINT>(MOD_NOREPEAT);
    if (HIWORD(lp) == 0x46 && modifiers == (MOD_CONTROL | MOD_SHIFT)) Game.RunGameButtonClick();
}

}  // namespace ravenlock
