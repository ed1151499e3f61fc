// The start-up sequence of the main window: finding the game and Steam, the program-wide
// paths, and the lines that are written once.
#include <cwctype>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "online/news_thread.h"
#include "platform/file_system.h"
#include "platform/tools.h"
#include "platform/paths.h"
#include "platform/startup_trace.h"
#include "platform/steam_record.h"
#include "platform/version_info.h"
#include "ui/dispatch.h"

namespace ravenlock {

namespace {

constexpr wchar_t kDefaultGamePath[] = L"C:\\Program Files (x86)\\Steam\\steamapps\\common\\Fallout76\\Fallout76.exe";

std::wstring Lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

}  // namespace

void MainWindow::FormCreate() {
    AppState& st = State;

    // 1. The global hotkey CTRL+SHIFT+F; if another program holds it, it simply never fires.
    st.HotKeyId = GlobalAddAtomW(L"FalloutCloseForce");
    // Held down, the keys would launch and stop the game at the keyboard's repeat rate:
    // no repeats. Windows before 7 refuse that flag, so they get the plain hotkey.
    if (!RegisterHotKey(Handle(), st.HotKeyId, MOD_CONTROL | MOD_SHIFT | MOD_NOREPEAT, 0x46))
        RegisterHotKey(Handle(), st.HotKeyId, MOD_CONTROL | MOD_SHIFT, 0x46);
    // 2. Our own process at high priority.
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    // 3. The working lists start empty (they are members of the state).
    // 4. The settings key; a failed open leaves reads empty and makes writes fail visibly.
    startup_trace::Step("start-up sequence");
    st.Settings.Open();
    startup_trace::Step("settings");
    // 5. The version line, which is also the settings-reset link.
    Resources.AboutLabel.SetText(L"Fallout 76 Ravenlock: " + GetFileVersionString(OwnExecutablePath()) +
                                 L" (x86-64) Beta - Сброс настроек");
    // 6. The primary screen's size.
    Tools.ScreenResolutionLabel.SetText(L"Разрешение экрана: " + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) +
                                        L" X " + std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
    // 7. The system summary, once.
    Tools.ShowSystemInformation();

    // 8, 9. Without the game or Steam the program cannot work.
    if (!LocateGameExecutable()) {
        FatalEnding(L"При чтении параметров установки Fallout 76 возникла ошибка. Приложение будет закрыто.");
        return;
    }
    if (!LocateSteamExecutable()) {
        FatalEnding(L"При чтении параметров установки Steam возникла ошибка. Приложение будет закрыто.");
        return;
    }

    // 10, 11. The profile folder may not exist yet; the tray's profile item follows it.
    st.GameProfileFolder = DocumentsFolder() + L"\\My Games\\Fallout 76";
    st.UserProfileMenuEnabled = DirectoryExists(st.GameProfileFolder);
    TrayPopupMenu.SetItemEnabled(ids::kUserProfileN, st.UserProfileMenuEnabled);
    startup_trace::Step("start-up sequence");
    // 12. The language switch follows Fallout76.ini, read between the guard calls.
    if (FileExists(GameIniPath(st.GameProfileFolder, kFallout76Ini))) {
        const GameFilesWritable writable(st.GameProfileFolder);
        SetUpLanguageSwitch();
    }
    // 13. A missing Fallout76Custom.ini gets its initial content.
    CreateCustomIniIfMissing(st.GameProfileFolder);
    startup_trace::Step("settings");

    // 14, 15. Versions of the game and of Steam.
    Game.VersionGameLabel.SetText(L"Версия игры: " + GetFileVersionString(st.GameFolder + L"Fallout76.exe"));
    Game.VersionSteamLabel.SetText(L"Версия Steam: " + GetFileVersionString(st.SteamFolder + L"Steam.exe"));
    Game.CloseSessionLeftOpen();
    RemoveLeftoverToolFolders();
    // 16. The confirmed Discord server id comes back, without a fetch.
    Integration.RestoreStoredServerId();
    // 17. Steam's remembered login.
    Game.Label13.SetText(L"Логин: " + GetSteamLogin());
    // 18. "-AutoRun" as the first argument, in any letter case, launches once the servers are up;
    // otherwise the start-up chime plays.
    if (Lower(firstArgument_) == L"-autorun")
        st.AutoRunPending = true;
    else
        PlayNotificationSound(L"sndChangePriority");
    // 19. The news worker: the one news fetch of the run.
    StartNewsUpdate(*this);
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

bool MainWindow::LocateGameExecutable() {
    const auto path = LocateExecutable(kDefaultGamePath, L"Fallout76ExePath", MyOpenDialog, L"Fallout76.exe");
    if (!path) return false;
    State.GameFolder = FolderPart(*path);
    return true;
}

bool MainWindow::LocateSteamExecutable() {
    // Steam records its own path with "/" separators.
    const auto path = LocateExecutable(GetSteamExePath(), L"SteamExePath", MyOpenDialog2, L"Steam.exe");
    if (!path) return false;
    Game.RunSteamButton.SetEnabled(FileExists(*path));
    State.SteamFolder = FolderPart(WithBackslashes(*path));
    return true;
}

void MainWindow::FatalEnding(const std::wstring& message) {
    MessageBoxW(nullptr, message.c_str(), ui::ApplicationTitle().c_str(), MB_OK | MB_TASKMODAL);
    FormCloseQuery();
    Terminate();
}

}  // namespace ravenlock
