#include "launch/edition_chooser.h"

#include <algorithm>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "platform/app_error.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/processes.h"
#include "platform/steam_record.h"
#include "platform/store_install.h"

namespace ravenlock {

namespace {

constexpr wchar_t kDefaultSteamGameFolder[] = L"C:\\Program Files (x86)\\Steam\\steamapps\\common\\Fallout76\\";
// Where each edition's executable is kept when the user had to point at it.
constexpr wchar_t kSteamPathSetting[] = L"Fallout76ExePath";
constexpr wchar_t kStorePathSetting[] = L"GamePassExePath";
constexpr wchar_t kEditionSetting[] = L"GameEdition";

// The newest change among an edition's settings files (0 when none exists).
unsigned long long SettingsFilesTime(const std::wstring& profileFolder, EditionKind kind) {
    GameEdition edition;
    edition.Kind = kind;
    unsigned long long newest = 0;
    for (const std::wstring& name : edition.IniNames())
        for (const FolderEntry& e : ListFolder(GameIniPath(profileFolder, name)))
            if (!e.isFolder)
                newest = std::max(newest, (static_cast<unsigned long long>(e.lastWrite.dwHighDateTime) << 32) |
                                              e.lastWrite.dwLowDateTime);
    return newest;
}

// The folder of a stored executable of that edition, when it is still there.
std::optional<std::wstring> StoredFolder(const SettingsRegistry& settings, const wchar_t* setting, EditionKind kind) {
    const std::wstring stored = settings.ReadString(setting);
    if (!FileExists(stored) || EditionOfExecutable(FileNamePart(stored)) != kind) return std::nullopt;
    return FolderPart(stored);
}

}  // namespace

void EditionChooser::Create(HWND gamePage, MainWindow& main) {
    main_ = &main;
    gamePage_ = gamePage;
}

void EditionChooser::MakeChoiceControls() {
    if (Box.Handle()) return;
    Caption.Create(gamePage_, ids::kEditionLabel, L"Версия игры:", {222, 236, 200, 16},
                   {RGB(255, 255, 255), -13, false, ui::Align::Center, false});
    Box.Create(gamePage_, ids::kEditionComboBox, {242, 253, 160, 22});
    Box.onChoose = [this] { Choose(Box.Selected() == 1 ? EditionKind::Store : EditionKind::Steam); };
    // The tab's background picture stays beneath these too.
    SetWindowPos(main_->Game.MainImage.Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool EditionChooser::Locate() {
    SettingsRegistry& settings = main_->State.Settings;
    steamFolder_.reset();
    storeFolder_.reset();
    if (FileExists(std::wstring(kDefaultSteamGameFolder) + kSteamExecutable)) steamFolder_ = kDefaultSteamGameFolder;
    else steamFolder_ = StoredFolder(settings, kSteamPathSetting, EditionKind::Steam);
    storeFolder_ = FindStoreInstall();
    if (!storeFolder_) storeFolder_ = StoredFolder(settings, kStorePathSetting, EditionKind::Store);

    EditionKind kind = EditionKind::Steam;
    if (steamFolder_ && storeFolder_) {
        const std::wstring& profile = main_->State.GameProfileFolder;
        kind = ChooseEdition(settings.ReadString(kEditionSetting), SettingsFilesTime(profile, EditionKind::Steam),
                             SettingsFilesTime(profile, EditionKind::Store));
    } else if (storeFolder_) {
        kind = EditionKind::Store;
    } else if (!steamFolder_) {
        // Neither is installed where we look: the user points at either executable, and
        // its name decides the edition.
        const auto chosen = ui::ShowOpenDialog(nullptr, main_->MyOpenDialog);
        if (!chosen) return false;
        const auto chosenKind = EditionOfExecutable(FileNamePart(*chosen));
        if (!chosenKind) return false;
        kind = *chosenKind;
        settings.WriteString(kind == EditionKind::Store ? kStorePathSetting : kSteamPathSetting, *chosen);
        (kind == EditionKind::Store ? storeFolder_ : steamFolder_) = FolderPart(*chosen);
    }
    SetCurrentEdition(EditionOf(kind));
    main_->State.GameFolder = CurrentEdition().InstallFolder;
    ShowChoice();
    return true;
}

void EditionChooser::Choose(EditionKind kind) {
    if (kind == CurrentEdition().Kind || !steamFolder_ || !storeFolder_) {
        ShowChoice();
        return;
    }
    if (main_->Game.GameIsFollowed() || ProcessExists(CurrentEdition().ExecutableName())) {
        ShowChoice();
        throw AppError(L"Версию игры нельзя сменить, пока игра запущена.");
    }
    main_->State.Settings.WriteString(kEditionSetting, GameEdition::SettingValueOf(kind));
    SetCurrentEdition(EditionOf(kind));
    AppState& st = main_->State;
    st.GameFolder = CurrentEdition().InstallFolder;
    // Steam is looked for only when its edition is used; a switch to it finds it quietly.
    if (kind == EditionKind::Steam && st.SteamFolder.empty()) {
        const std::wstring steam = WithBackslashes(GetSteamExePath());
        if (FileExists(steam)) st.SteamFolder = FolderPart(steam);
    }
    ShowChoice();
    main_->GameEditionChanged();
}

GameEdition EditionChooser::EditionOf(EditionKind kind) const {
    GameEdition edition;
    edition.Kind = kind;
    edition.InstallFolder = (kind == EditionKind::Store ? storeFolder_ : steamFolder_).value_or(L"");
    if (kind == EditionKind::Store) {
        const StoreManifest manifest = ReadStoreManifest(edition.InstallFolder);
        if (!manifest.appId.empty()) edition.StoreAppId = manifest.appId;
        edition.StoreVersion = manifest.version;
    }
    return edition;
}

void EditionChooser::ShowChoice() {
    const bool both = steamFolder_ && storeFolder_;
    const bool store = CurrentEdition().Kind == EditionKind::Store;
    if (both) MakeChoiceControls();
    ShowWindow(Caption.Handle(), both ? SW_SHOW : SW_HIDE);
    ShowWindow(Box.Handle(), both ? SW_SHOW : SW_HIDE);
    Box.SetItems({GameEdition::DisplayNameOf(EditionKind::Steam), GameEdition::DisplayNameOf(EditionKind::Store)},
                 store ? 1 : 0);
    TrayMenu& tray = main_->TrayPopupMenu;
    for (const int id : {ids::kEditionSteamN, ids::kEditionStoreN}) tray.SetItemEnabled(id, both);
    tray.SetItemChecked(ids::kEditionSteamN, !store);
    tray.SetItemChecked(ids::kEditionStoreN, store);
}

}  // namespace ravenlock
