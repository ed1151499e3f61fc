#pragma once
// The "Инструменты и диагностика" tab: the options, the Pip-Boy colour, the installed
// mods and crash dumps, and the system-information group at the bottom.
#include "gameconfig/options_panel.h"
#include "gameconfig/pipboy_panel.h"
#include "ui/controls.h"
#include "ui/native_controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class MainWindow;

class ToolsTab {
public:
    void Create(ui::Page& page, MainWindow& main);
    void Sheet3Show();
    // Start-up: fills the summary lines once.
    void ShowSystemInformation();
    void SaveSystemReport();
    void ModsListViewClick();

    OptionsPanel Options;
    PipboyPanel Pipboy;
    ui::Label CPUNameLabel, CPUFrequencyLabel, CPUThreadsLabel, RAMSpaceLabel, GPULabel, ScreenResolutionLabel,
        HostNameLabel, OSNameLabel, ProcessCounterLabel;
    ui::Label RAMLabel;  // the game's memory use, in red
    ui::PictureBox SaveReportImage, CheckAndRepairDiskImage, RAMMapImage;
    ui::GroupBox ModsGroupBox, GroupBox3, SystemInfoGroupBox;
    ui::ListView ModsListView, CrashDumpListView;
    ui::EditBox ModsContentMemo;

private:
    // Steps 1 to 6: the options, the colour and the launch options from the files.
    void FillFromGameFiles();
    void ListMods();
    void ListCrashDumps();
    bool GameFilesExist() const;
    MainWindow* main_ = nullptr;
    ui::Page* page_ = nullptr;
    HIMAGELIST icons_ = nullptr;
};

}  // namespace ravenlock
