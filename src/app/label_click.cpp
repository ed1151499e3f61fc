// The shared click handler of the clickable labels, told apart by their Tag.
#include "app/main_window.h"
#include "online/news_thread.h"
#include "online/server_status.h"
#include "platform/processes.h"

namespace ravenlock {

void MainWindow::ServerStatusLabelClick(int tag) {
    switch (tag) {
        case 0:  // the version line on the Resources tab: the settings reset
            if (MessageBoxW(nullptr, L"Сбросить настройки? В случае подтверждения приложение будет закрыто",
                            L"Сброс настроек", MB_YESNO | MB_ICONERROR) == IDYES) {
                ResetSettings(Handle());
                // The journal went with the key; a session still running starts it anew at exit.
                if (Game.GameIsFollowed()) State.Settings.Open();
                Terminate();
            }
            break;
        case 100: RunProgram(kStatusPageUrl); break;
        case 200: LaunchCodes.LoadLaunchCodes(); break;
        case 300: Integration.DiscordLabelClick(); break;
        case 1000: ShowNewsWindow(*this, 1); break;
        case 2000: ShowNewsWindow(*this, 2); break;
        case 3000: ShowNewsWindow(*this, 3); break;
        default: break;
    }
}

}  // namespace ravenlock
