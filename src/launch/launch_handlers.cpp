// Launching, stopping and following the game. The state lives in the game button's
// caption and the monitor timer; whether the game runs is asked afresh every time, the
// monitor's ticks through the handle it keeps to the game it found.
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "launch/game_tab.h"
#include "launch/launch_rules.h"
#include "platform/file_system.h"
#include "platform/game_edition.h"
#include "platform/processes.h"
#include "platform/tools.h"
#include "ui/dispatch.h"

namespace ravenlock {

void GameTab::RunGameButtonClick() {
    MainWindow& w = *main_;
    AppState& st = w.State;
    const GameEdition& edition = CurrentEdition();
    if (ProcessExists(edition.ExecutableName())) {
        KillProcess(edition.ExecutableName());
        RunGameButton.SetText(kCaptionStopped);
        w.FalloutProcessTimer.SetEnabled(false);
        w.ShowMainWindow();
        if (const auto line = PeakLineIfMeasured(edition.ExecutableName(), st.GamePeakMemoryMB))
            w.Tools.RAMLabel.SetText(*line);
        SessionEnded();
        return;
    }
    RunGameButton.SetText(kCaptionStarting);
    SetGameIniAttributes(st.GameProfileFolder, true);
    w.Mods.GameLaunched();
    StartGameProcess();
    PlayNotificationSound(L"");
    if (st.Settings.ValueExists(L"FreeRAMCacheBeforeStartingGame") &&
        st.Settings.ReadBool(L"FreeRAMCacheBeforeStartingGame")) {
        RunRamMapTool(L"RAMMap", L"-Et", false);
        w.RemoveTempFilesTimer.SetEnabled(true);
        // Give the tool a moment to empty the standby list before the game loads.
        Sleep(2000);
    }
    if (st.Settings.ValueExists(L"GameProcessHighPriority") && st.Settings.ReadBool(L"GameProcessHighPriority") &&
        !SetProcessPriority(edition.ExecutableName(), HIGH_PRIORITY_CLASS) && edition.Kind == EditionKind::Store &&
        ProcessExists(edition.ExecutableName()) && !priorityRefusalShown_) {
        // The Store's game runs in a package that may refuse outside changes: said once on
        // the memory line, not tried again at every tick.
        priorityRefusalShown_ = true;
        w.Tools.RAMLabel.SetText(L"Windows не разрешил поднять приоритет процесса " +
                                 std::wstring(edition.ExecutableName()));
    }
    w.FalloutProcessTimer.SetEnabled(true);
    w.HideMainWindow();
}

void GameTab::AutoRunPress() {
    if (ProcessExists(CurrentEdition().ExecutableName())) return;
    RunGameButtonClick();
}

void GameTab::FalloutProcessTimerTimer() {
    MainWindow& w = *main_;
    gameWatch_.Follow(CurrentEdition().ExecutableName());
    const ProcessWatch::Reading game = gameWatch_.Look();
    const MonitorStep step = MonitorTick(CurrentEdition().ExecutableName(), RunGameButton.Text(), game.runs,
                                         game.memoryMB, w.State.GamePeakMemoryMB);
    if (step.caption != RunGameButton.Text()) RunGameButton.SetText(step.caption);
    if (step.ramLine) w.Tools.RAMLabel.SetText(*step.ramLine);
    w.State.GamePeakMemoryMB = step.peak;
    if (game.runs && !session_.Running()) session_.Started(w.State.Settings, ModsOfGame(w.State.GameProfileFolder));
    if (game.runs) session_.Saw(game.memoryMB, w.State.Settings);
    if (game.runs) w.Tray.SetTip(InGameTooltip(UtcNow() - session_.StartTime(), game.memoryMB));
    if (step.stopMonitor) {
        w.FalloutProcessTimer.SetEnabled(false);
        SessionEnded();
        w.ShowMainWindow();
    }
}

void GameTab::SessionEnded() {
    MainWindow& w = *main_;
    if (!session_.Running()) return;
    session_.Ended(w.State.Settings, w.State.GameFolder);
    w.JournalForm.SessionRecorded();
    w.Tray.SetTip(ui::ApplicationTitle());
}

void GameTab::EndSessionAtExit() noexcept {
    try {
        session_.Ended(main_->State.Settings, main_->State.GameFolder);
    } catch (...) {
        // Out of memory while the program goes: the start of the next run closes it.
    }
}

void GameTab::CloseSessionLeftOpen() {
    if (SessionRecorder::CloseLeftOpen(main_->State.Settings, main_->State.GameFolder)) main_->JournalForm.SessionRecorded();
}

void GameTab::RunSteamButtonClick() { RunProgram(main_->State.SteamFolder + L"Steam.exe"); }

void GameTab::ForceRunGame() {
    SetGameIniAttributes(main_->State.GameProfileFolder, true);
    main_->Mods.GameLaunched();
    if (CurrentEdition().Kind == EditionKind::Store) StartGameProcess();
    else RunProgram(CurrentEdition().ExecutablePath());
}

void GameTab::StartGameProcess() {
    const GameEdition& edition = CurrentEdition();
    // The Store's game cannot be started from its executable: Explorer activates the package.
    if (edition.Kind == EditionKind::Store) RunProgramWithParams(WindowsProgramPath(L"explorer.exe"), edition.StoreActivation());
    else RunProgram(kSteamGameLink);
}

}  // namespace ravenlock
