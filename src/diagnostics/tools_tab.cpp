#include "diagnostics/tools_tab.h"

#include "app/control_ids.h"
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "platform/file_system.h"
#include "ui/dispatch.h"

namespace ravenlock {

namespace {
// The system-information group's ten lines at the foot of the tab.
constexpr int kInfoFirstLine = 672, kInfoLineStep = 17;
}  // namespace

void ToolsTab::Create(ui::Page& page, MainWindow& main) {
    main_ = &main;
    page_ = &page;
    Options.Create(page.Handle(), main);
    Pipboy.Create(page.Handle(), main);
    ScreenResolutionLabel.Create(page.Handle(), ids::kScreenResolutionLabel, L"Разрешение экрана: ",
                                 {16, kInfoFirstLine + 5 * kInfoLineStep, 540, 14}, {});
    RAMLabel.Create(page.Handle(), ids::kRAMLabel, L"Потребление памяти процессом Fallout76.exe, Мб: 0",
                    {16, kInfoFirstLine + 9 * kInfoLineStep, 540, 14}, {RGB(255, 0, 0)});
}

void ToolsTab::FillFromGameFiles() {
    const std::wstring& folder = main_->State.GameProfileFolder;
    if (!FileExists(GameIniPath(folder, kFallout76Ini)) || !FileExists(GameIniPath(folder, kFallout76PrefsIni))) {
        // For the rest of the run: the controls stay visible but no longer respond.
        EnableWindow(page_->Handle(), FALSE);
        return;
    }
    SetGameIniAttributes(folder, false);
    main_->Editor.LoadPrefs();
    Options.FillFromGameFiles();
    Pipboy.ReadFromLines();
    Options.FillLaunchOptions();
    SetGameIniAttributes(folder, true);
}

void ToolsTab::Sheet3Show() {
    // An error in one part is shown and ends that part; the lists after it are still rebuilt.
    ui::RunHandler(page_->Handle(), [this] { FillFromGameFiles(); });
}

}  // namespace ravenlock
