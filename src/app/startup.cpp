// The start-up sequence of the main window: finding the game's edition and Steam, the program-wide
// paths, and the lines that are written once.
#include <cwctype>
#include <functional>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "online/news_thread.h"
#include "online/server_status_thread.h"
#include "platform/file_system.h"
#include "platform/tools.h"
#include "platform/paths.h"
#include "platform/startup_trace.h"
#include "platform/steam_record.h"
#include "ui/dispatch.h"

namespace ravenlock {

namespace {

std::wstring Lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

}  // namespace

void MainWindow::FormCreate() {
    AppState& st = State;

    // 1. The global hotkey comes after the first paint (StartUpContinued).
    // 2. Our own process at high priority.
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    // 3. The working lists start empty (they are members of the state).
    // 4. The settings key; a failed open leaves reads empty and makes writes fail visibly.
    startup_trace::Step("start-up sequence");
    st.Settings.Open();
    startup_trace::Step("settings");
    // 5, 6, 7. The version line, the screen's size and the system summary are written when
    // their tabs are made, after the first paint (page_builds.cpp).

    // 8, 9. Without the game the program cannot work, nor without Steam for Steam's edition.
    // The profile folder is known first: with both editions installed, the one whose
    // settings files changed last is taken.
    st.GameProfileFolder = DocumentsFolder() + L"\\My Games\\Fallout 76";
    if (!Editions.Locate()) {
        FatalEnding(L"При чтении параметров установки Fallout 76 возникла ошибка. Приложение будет закрыто.");
        return;
    }
    if (EditionChooser::NeedsSteam() && !LocateSteamExecutable()) {
        FatalEnding(L"При чтении параметров установки Steam возникла ошибка. Приложение будет закрыто.");
        return;
    }

    // 10, 11. The profile folder may not exist yet; the tray's profile item follows it.
    st.UserProfileMenuEnabled = DirectoryExists(st.GameProfileFolder);
    TrayPopupMenu.SetItemEnabled(ids::kUserProfileN, st.UserProfileMenuEnabled);
    startup_trace::Step("start-up sequence");
    // 12. The language switch follows the main INI file, read between the guard calls.
    if (FileExists(GameIniPath(st.GameProfileFolder, GameIni::Main))) {
        const GameFilesWritable writable(st.GameProfileFolder);
        SetUpLanguageSwitch();
    }
    // 13. A missing custom INI file gets its initial content.
    CreateCustomIniIfMissing(st.GameProfileFolder);
    startup_trace::Step("settings");

    // 14, 15, 17. Versions of the game and of Steam, and Steam's remembered login.
    Game.ShowEdition();
    Game.CloseSessionLeftOpen();
    RemoveLeftoverToolFolders();
    // 16. The confirmed Discord server id comes back with the Integration tab's build.
    // 18, 19. The start-up sound or "-AutoRun", and the news, come after the first paint.
}

void MainWindow::StartUpContinued() {
    AppState& st = State;
    // Each step on its own: one that fails (a system DLL missing, say) says so and the
    // others still run, in the order the start-up always had.
    const auto step = [this](const std::function<void()>& body) { ui::RunHandler(Handle(), body); };
    startup_trace::Step("waiting in the message loop");
    // The tray icon, which the window owned before the start-up sequence ran.
    step([this] { ShowTrayIcon(); });
    startup_trace::Step("tray icon");
    // The hidden news and journal windows, and the tabs not made before the first paint,
    // before anything that may write on them.
    step([this] {
        NewsForm.Create(applicationWindow_);
        JournalForm.Create(applicationWindow_, State.Settings, State.GameFolder);
    });
    MainPageControl.BuildAll();
    startup_trace::Step("other tabs");
    // 1. The global hotkey CTRL+SHIFT+F; if another program holds it, it simply never fires.
    step([&st, this] {
        st.HotKeyId = GlobalAddAtomW(L"FalloutCloseForce");
        // Held down, the keys would launch and stop the game at the keyboard's repeat rate:
        // no repeats. Windows before 7 refuse that flag, so they get the plain hotkey.
        if (!RegisterHotKey(Handle(), st.HotKeyId, MOD_CONTROL | MOD_SHIFT | MOD_NOREPEAT, 0x46))
            RegisterHotKey(Handle(), st.HotKeyId, MOD_CONTROL | MOD_SHIFT, 0x46);
    });
    // 18. "-AutoRun" as the first argument, in any letter case, launches once the servers are up;
    // otherwise the start-up chime plays. Set before the first status check, which consumes it.
    step([&st, this] {
        if (Lower(firstArgument_) == L"-autorun")
            st.AutoRunPending = true;
        else
            PlayNotificationSound(L"sndChangePriority");
    });
    // 19. The news worker: the one news fetch of the run.
    step([this] { StartNewsUpdate(*this); });
    // The Game tab's pointer to the Mods tab after a game update.
    step([this] { Mods.ShowUpdatePointer(); });
    // The status check that the first show of the Game tab used to start.
    startUpContinued_ = true;
    step([this] {
        if (MainPageControl.ActiveIndex() == ids::kTabGame) StartServerStatusCheck(*this);
    });
    startup_trace::Step("rest of start-up");
    startup_trace::Finish();
}

// The first existing of: the well-known path, the stored path; else the user's choice in the
// dialog, accepted only under the expected file name and then stored. Nothing when that fails.
std::optional<std::wstring> MainWindow::LocateExecutable(const std::wstring& knownPath, const wchar_t* settingName,
                                                         const ui::FileDialogSpec& dialog, const wchar_t* fileName) {
    if (FileExists(knownPath)) return knownPath;
    std::wstring stored = State.Settings.ReadString(settingName);
    if (FileExists(stored)) return stored;
    const auto chosen = ui::ShowOpenDialog(nullptr, dialog);
    if (!chosen || !SameTextAscii(FileNamePart(*chosen), fileName)) return std::nullopt;
    State.Settings.WriteString(settingName, *chosen);
    return chosen;
}

bool MainWindow::LocateSteamExecutable() {
    // Steam records its own path with "/" separators.
    const auto path = LocateExecutable(GetSteamExePath(), L"SteamExePath", MyOpenDialog2, L"Steam.exe");
    if (!path) return false;
    Game.RunSteamButton.SetEnabled(FileExists(*path));
    State.SteamFolder = FolderPart(WithBackslashes(*path));
    return true;
}

void MainWindow::GameEditionChanged() {
    AppState& st = State;
    RestorePoints.Create(*this);  // each edition keeps its own points
    if (FileExists(GameIniPath(st.GameProfileFolder, GameIni::Main))) {
        const GameFilesWritable writable(st.GameProfileFolder);
        SetUpLanguageSwitch();
    }
    CreateCustomIniIfMissing(st.GameProfileFolder);
    Game.ShowEdition();
    // Pages turned off for want of the other edition's files get their chance again.
    for (int tab : {ids::kTabTools, ids::kTabEditor}) EnableWindow(MainPageControl.At(tab).Handle(), TRUE);
    MainPageControl.ShowActiveAgain();
}

void MainWindow::FatalEnding(const std::wstring& message) {
    MessageBoxW(nullptr, message.c_str(), ui::ApplicationTitle().c_str(), MB_OK | MB_TASKMODAL);
    FormCloseQuery();
    Terminate();
}

}  // namespace ravenlock
