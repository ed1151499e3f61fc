#include "diagnostics/tools_tab.h"

#include <algorithm>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "gameconfig/ini_file.h"
#include "platform/file_system.h"
#include "ui/dispatch.h"

namespace ravenlock {

namespace {
// The system-information group's ten lines at the foot of the tab.
constexpr int kInfoTop = 652, kInfoFirstLine = 672, kInfoLineStep = 17;
}  // namespace

// ---- ToolsTab

void ToolsTab::Create(ui::Page& page, MainWindow& main) {
    main_ = &main;
    page_ = &page;
    HWND p = page.Handle();
    icons_ = main.TrayImageList.MakeImageList();
    Options.Create(p, main);
    page.onContextMenu = [this](HWND over, POINT at) {
        ui::RunHandler(page_->Handle(), [&] { Options.ContextMenu(over, at); });
    };
    Pipboy.Create(p, main);

    // Installed mods: the keys of [Archive], the clicked one's value beside them.
    ModsListView.Create(p, ids::kModsListView, {12, 452, 290, 84}, 284, icons_, true);
    ModsListView.onMouseClick = [this] { ModsListViewClick(); };
    ModsContentMemo.Create(p, ids::kModsContentMemo, L"", {308, 452, 323, 84},
                           ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL);
    ModsGroupBox.Create(p, ids::kModsGroupBox, L"Установленных модификаций: 0", {4, 434, 635, 108});
    // Crash dumps of the game's install folder.
    CrashDumpListView.Create(p, ids::kCrashDumpListView, {12, 564, 619, 80}, 325, icons_, false);
    GroupBox3.Create(p, ids::kGroupBox3, L"Последних CrashDump-ов: 0", {4, 546, 635, 102});

    // System information: ten lines, three pictures at the right edge.
    const struct {
        ui::Label* label;
        int id;
        const wchar_t* prefix;
    } lines[] = {
        {&CPUNameLabel, ids::kCPUNameLabel, L"Центральный процессор: "},
        {&CPUFrequencyLabel, ids::kCPUFrequencyLabel, L"Частота центрального процессора: "},
        {&CPUThreadsLabel, ids::kCPUThreadsLabel, L"Ядер центрального процессора: "},
        {&RAMSpaceLabel, ids::kRAMSpaceLabel, L"Размер оперативной памяти: "},
        {&GPULabel, ids::kGPULabel, L"Графический процессор: "},
        {&ScreenResolutionLabel, ids::kScreenResolutionLabel, L"Разрешение экрана: "},
        {&HostNameLabel, ids::kHostNameLabel, L"Имя ПК: "},
        {&OSNameLabel, ids::kOSNameLabel, L"Операционная система: "},
        {&ProcessCounterLabel, ids::kProcessCounterLabel, L"Количество процессов: "},
    };
    for (size_t i = 0; i < std::size(lines); ++i)
        lines[i].label->Create(p, lines[i].id, lines[i].prefix,
                               {16, kInfoFirstLine + static_cast<int>(i) * kInfoLineStep, 550, 15}, {});
    RAMLabel.Create(p, ids::kRAMLabel, L"",  // named after the edition once it is known
                    {16, kInfoFirstLine + 9 * kInfoLineStep, 550, 15}, {RGB(255, 0, 0)});
    const struct {
        ui::PictureBox* picture;
        int id, tag;
        const wchar_t* resource;
    } pictures[] = {{&SaveReportImage, ids::kSaveReportImage, 11, L"INFO_SAVE_REPORT"},
                    {&CheckAndRepairDiskImage, ids::kCheckAndRepairDiskImage, 12, L"INFO_DISK_CHECK"},
                    {&RAMMapImage, ids::kRAMMapImage, 100, L"INFO_RAMMAP"}};
    for (size_t i = 0; i < std::size(pictures); ++i) {
        ui::PictureBox& pic = *pictures[i].picture;
        pic.Create(p, pictures[i].id, {580, kInfoTop + 18 + static_cast<int>(i) * 58, 48, 48}, true, false);
        pic.SetEmbeddedPicture(pictures[i].resource);
        pic.SetTag(pictures[i].tag);
        pic.onClick = [this, &pic] { main_->FalloutLogoImageClick(pic.Tag()); };
    }
    SystemInfoGroupBox.Create(p, ids::kSystemInfoGroupBox, L"Сведения о системе", {4, kInfoTop, 635, 196});
}

bool ToolsTab::GameFilesExist() const {
    const std::wstring& folder = main_->State.GameProfileFolder;
    return FileExists(GameIniPath(folder, GameIni::Main)) && FileExists(GameIniPath(folder, GameIni::Prefs));
}

void ToolsTab::FillFromGameFiles() {
    SetGameIniAttributes(main_->State.GameProfileFolder, false);
    main_->Editor.LoadPrefs();
    Options.FillFromGameFiles();
    Pipboy.ReadFromLines();
    Options.FillLaunchOptions();
}

void ToolsTab::Sheet3Show() {
    HWND page = page_->Handle();
    const bool filesExist = GameFilesExist();
    if (!filesExist) {
        // For the rest of the run: the controls stay visible but no longer respond.
        EnableWindow(page, FALSE);
    } else {
        main_->RestorePoints.ArmToolsWrite();
        // An error in one part is shown and ends that part; the lists after it are still
        // rebuilt. A failed part leaves the files writable until the next guarded action.
        const bool filled = ui::RunHandler(page, [this] { FillFromGameFiles(); });
        const bool listed = ui::RunHandler(page, [this] { ListMods(); });
        if (filled && listed) SetGameIniAttributes(main_->State.GameProfileFolder, true);
    }
    ui::RunHandler(page, [this] { ListCrashDumps(); });
}

void ToolsTab::ListMods() {
    ModsListView.SetRows({});
    const IniFile ini(GameIniPath(main_->State.GameProfileFolder, GameIni::Main));
    AppState& st = main_->State;
    // One read of the section: a read per key would parse the whole file again each time.
    st.ArchiveKeys.clear();
    st.ArchiveValues.clear();
    for (const auto& entry : ini.ReadSection(L"Archive")) {
        st.ArchiveKeys.push_back(entry.key);
        st.ArchiveValues.push_back(entry.key + L"=" + entry.value);
    }
    ModsGroupBox.SetText(L"Установленных модификаций: " + std::to_wstring(st.ArchiveKeys.size()));
    ModsListView.SetRows(st.ArchiveKeys);
}

void ToolsTab::ModsListViewClick() {
    const int index = ModsListView.Selected();
    const auto& values = main_->State.ArchiveValues;
    if (index < 0 || index >= static_cast<int>(values.size())) {
        ModsContentMemo.SetText(L"");
        return;
    }
    const std::wstring& line = values[static_cast<size_t>(index)];
    ModsContentMemo.SetText(line.substr(line.find(L'=') + 1));
}

}  // namespace ravenlock
