// The shared click handler of the clickable labels, told apart by their Tag.
#include "app/main_window.h"
#include "online/server_status.h"
#include "platform/processes.h"

namespace ravenlock {

void MainWindow::ServerStatusLabelClick(int tag) {
    switch (tag) {
        case 0:  // the version line on the Resources tab: the settings reset
            if (MessageBoxW(nullptr, L"Сбросить настройки? В случае подтверждения приложение будет закрыто",
                            L"Сброс настроек", MB_YESNO | MB_ICONERROR) == IDYES) {
                ResetSettings(Handle());
                Terminate();
            }
            break;
        case 100: RunProgram(kStatusPageUrl); break;
        default: break;
    }
}

}  // namespace ravenlock
