#pragma once
// The "Инструменты и диагностика" tab: the options, the Pip-Boy colour, the installed
// mods and crash dumps, and the system-information group at the bottom.
#include "gameconfig/options_panel.h"
#include "gameconfig/pipboy_panel.h"
#include "ui/controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class MainWindow;

class ToolsTab {
public:
    void Create(ui::Page& page, MainWindow& main);
    void Sheet3Show();

    OptionsPanel Options;
    PipboyPanel Pipboy;
    ui::Label ScreenResolutionLabel;
    ui::Label RAMLabel;  // the game's memory use, in red

private:
    // Steps 1 to 8: the options, the colour and the launch options from the files, inside
    // the read-only guard; false when the game's settings do not exist.
    void FillFromGameFiles();
    MainWindow* main_ = nullptr;
    ui::Page* page_ = nullptr;
};

}  // namespace ravenlock
