#pragma once
// The "Инструменты и диагностика" tab: the options, the Pip-Boy colour, the installed
// mods and crash dumps, and the system-information group at the bottom.
#include <windows.h>
#include <commctrl.h>

#include "gameconfig/options_panel.h"
#include "gameconfig/pipboy_panel.h"
#include "ui/controls.h"
#include "ui/native_controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class MainWindow;

// A report-style list view with one self-sizing column and no headers.
class ListView : public ui::Control {
public:
    void Create(HWND parent, int id, ui::Bounds b, int maxColumnWidth, HIMAGELIST icons, bool border);
    void SetRows(const std::vector<std::wstring>& rows);
    int Selected() const;
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    std::function<void()> onMouseClick;  // a click with the mouse, on a row or not

private:
    int maxWidth_ = 0;
};

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
    ListView ModsListView, CrashDumpListView;
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
