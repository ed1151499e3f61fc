#pragma once
// The "Игра" tab: the background picture with its title lettering, the game and Steam
// buttons, version and login lines, news lines, the server status line and the
// language switch; and the launch, stop and monitor of the game.
#include "launch/launch_rules.h"
#include "launch/session_recorder.h"
#include "platform/processes.h"
#include "ui/controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class MainWindow;

class GameTab {
public:
    void Create(ui::Page& page, MainWindow& main);

    // Stops the game when it runs, launches it otherwise (the button, the hotkey, auto-run).
    void RunGameButtonClick();
    // A press nobody made by hand ("-AutoRun", the armed launch): it starts the game and
    // never stops one, so it does nothing while the game's process exists.
    void AutoRunPress();
    void RunSteamButtonClick();
    // The 2-second monitor of the game process.
    void FalloutProcessTimerTimer();
    // The tray's forced start: the game executable itself, bypassing Steam (the Store
    // edition's executable cannot be started directly, so it is activated as usual).
    void ForceRunGame();
    // The game's edition was found or changed: the version lines, Steam's button and lines,
    // and the memory line follow it.
    void ShowEdition();
    // The Tools tab's memory line for the edition, while no game is followed.
    void ShowIdleRamLine();

    ui::PictureBox MainImage;
    ui::PictureBox FalloutLogoImage;
    ui::FlatButton RunGameButton;
    ui::FlatButton RunSteamButton;
    ui::Label Label2;
    ui::Label Label13;
    ui::Label VersionGameLabel;
    ui::Label VersionSteamLabel;
    ui::Label NewsLabel0, NewsLabel1, NewsLabel2;
    ui::Label ServerStatusLabel;
    // The one line pointing to the Mods tab after a game update (the Mods tab fills it).
    ui::Label ModsUpdateLabel;
    ui::ToggleSwitch LanguageSwitch;

    // The program ends while the game runs: its session goes into the journal now.
    void EndSessionAtExit() noexcept;
    // At start-up: the session an earlier run left open (it crashed, the power went)
    // goes into the journal.
    void CloseSessionLeftOpen();

    // Whether the monitor follows a running game (for the tray's tooltip and checks).
    bool GameIsFollowed() const { return session_.Running(); }

private:
    MainWindow* main_ = nullptr;
    // The monitor's hold on the running game between ticks.
    ProcessWatch gameWatch_{L""};
    // The session the monitor follows, for the journal.
    SessionRecorder session_;
    // Whether Windows refused the Store game's priority this launch (said once).
    bool priorityRefusalShown_ = false;
    void SessionEnded();
    void StartGameProcess();
};

}  // namespace ravenlock
