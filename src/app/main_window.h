#pragma once
// The main window (class TMainForm): the frame, the page control with its tabs,
// the shared components, and the program-wide state. It routes messages to the tabs.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "app/tray_icon.h"
#include "app/tray_menu.h"
#include "diagnostics/photos_tab.h"
#include "diagnostics/resources_tab.h"
#include "diagnostics/tools_tab.h"
#include "gameconfig/editor_tab.h"
#include "gameconfig/restore_keeper.h"
#include "gameconfig/screen_tab.h"
#include "launch/edition_chooser.h"
#include "launch/game_tab.h"
#include "launch/journal_window.h"
#include "mods/mods_tab.h"
#include "online/integration_tab.h"
#include "online/launch_codes_box.h"
#include "online/news_window.h"
#include "online/servers_back_watch.h"
#include "platform/http_client.h"
#include "ui/controls.h"
#include "ui/file_dialog.h"
#include "ui/page_control.h"
#include "ui/timer.h"

namespace ravenlock {

class MainWindow : public ui::Window {
public:
    // The clean-up (FormDestroy) runs from WM_DESTROY, so the window goes while this
    // object still handles its messages, whichever way the program ends.
    ~MainWindow() override { Destroy(); }
    // The auto-run press ("-AutoRun", the armed launch), posted so that it runs from the
    // message loop and not inside the status worker's hand-over, whose sender waits
    // without limit. It only ever starts the game (GameTab::AutoRunPress).
    static constexpr UINT kMsgAutoRunPress = WM_APP + 10;
    void PostAutoRunPress() { PostMessageW(Handle(), kMsgAutoRunPress, 0, 0); }
    // A tray menu asked for during a wait, posted so that it comes after the wait.
    static constexpr UINT kMsgDeferredTrayMenu = WM_APP + 11;
    // The start-up steps that wait until the window has been painted, posted behind it.
    static constexpr UINT kMsgStartUpContinued = WM_APP + 12;
    void PostStartUpContinuation() {
        if (!terminated_) PostMessageW(Handle(), kMsgStartUpContinued, 0, 0);
    }
    // Creates the hidden frame with all its controls; FormCreate then runs the start-up.
    void Create(HWND applicationWindow, const std::wstring& firstArgument);
    // The start-up sequence; afterwards the window is shown unless the program was told to end.
    void FormCreate();
    // The tabs other than Game make their controls after the first paint (or when selected
    // before that): each page's build, and what the start-up shows on it.
    void PreparePageBuilds();
    // The rest of it, from the message loop once the window is painted: the tray icon, the
    // hotkey, the start-up sound or the "-AutoRun" flag, the news worker, the status check.
    void StartUpContinued();
    void ShowAfterCreate();

    // Hides the window instead of closing it (every close request).
    void FormCloseQuery();
    void ShowMainWindow();
    void HideMainWindow();
    // Shown becomes hidden and hidden shown (tray click, "Свернуть/Развернуть").
    void ToggleMainWindow();
    // Ends the program: the message loop stops and the windows are destroyed.
    void Terminate();
    bool Terminated() const { return terminated_; }

    AppState State;
    ui::PageControl MainPageControl;
    GameTab Game;
    // Steam's edition of the game or the Microsoft Store's, and the user's choice between them.
    EditionChooser Editions;
    ToolsTab Tools;
    EditorTab Editor;
    PhotosTab Photos;
    ResourcesTab Resources;
    IntegrationTab Integration;
    ScreenTab Screen;
    ModsTab Mods;
    LaunchCodesBox LaunchCodes;
    // The news window (TNewsForm): a top-level window of its own, created by the entry.
    NewsWindow NewsForm;
    // The journal of game sessions, likewise a window of its own.
    JournalWindow JournalForm;
    ServersBackWatch ServersWatch;
    // A copy of the game's INI files before each change the program makes to them.
    RestorePointKeeper RestorePoints;
    ui::ToolTip Tips;
    TrayIcon Tray;
    ImageList TrayImageList;
    TrayMenu TrayPopupMenu;
    ui::Timer RemoveTempFilesTimer{1, 1000};
    ui::Timer FalloutProcessTimer{2, 2000};
    ui::FileDialogSpec MyOpenDialog, MyOpenDialog2, MySaveDialog;
    // The one HTTP client; workers hold a share of it, so it outlives any of them.
    std::shared_ptr<HttpClient> MyHTTPs = std::make_shared<HttpClient>();

    // The language switch: set up from Fallout76.ini at start-up, written at every toggle.
    void SetUpLanguageSwitch();
    void LanguageSwitchClick();
    // The user's toggle: a restore point first; without one the switch goes back.
    void LanguageSwitchUserClick();

    // The edition was switched: its files are read afresh and the open tab shown again.
    void GameEditionChanged();

    // The link pictures' shared handler, by Tag.
    void FalloutLogoImageClick(int tag);

    // The clickable labels' shared handler, by Tag.
    void ServerStatusLabelClick(int tag);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    std::optional<std::wstring> LocateExecutable(const std::wstring& knownPath, const wchar_t* settingName,
                                                 const ui::FileDialogSpec& dialog, const wchar_t* fileName);
    bool LocateSteamExecutable();
    void FatalEnding(const std::wstring& message);
    void RemoveTempFilesTimerTimer();
    void TrayIconClick();
    // A tray notification; during a wait only a menu request is kept, for afterwards.
    void TrayCallback(LPARAM event);
    ULONGLONG trayMenuAskedAt_ = 0;
    void ExitNClick(int tag);
    void MyHotKey(LPARAM lp);
    void FormShow();
    void FormPaint();
    void Sheet1Show();
    void FormDestroy();
    void ShowTrayIcon();
    void SnapToScreenEdges(RECT& rc) const;

    HWND applicationWindow_ = nullptr;
    std::wstring firstArgument_;
    bool terminated_ = false;
    bool destroyed_ = false;
    // Paints and tab shows ask for no status check until the start-up has asked for the first.
    bool startUpContinued_ = false;
};

}  // namespace ravenlock
