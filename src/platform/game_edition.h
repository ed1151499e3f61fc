#pragma once
// The two editions of the game, Steam's and the Microsoft Store's (PC Game Pass), and
// everything that differs between them: the executable, the install folder, the INI
// files' names, how the game is started and where its version comes from. This is the
// one place that spells the game's file names; the rest of the program asks it.
#include <array>
#include <optional>
#include <string>

namespace ravenlock {

enum class EditionKind { Steam, Store };
// The game's settings files, in the order the game reads them (a key in a later one wins).
enum class GameIni { Main = 0, Prefs = 1, Custom = 2 };

inline constexpr wchar_t kSteamGameLink[] = L"steam://rungameid/1151340";
inline constexpr wchar_t kStorePackageFamily[] = L"BethesdaSoftworks.Fallout76-PC_3275kfvn8vcwc";
// The application id when the package's manifest cannot say.
inline constexpr wchar_t kStoreDefaultAppId[] = L"Fallout76";
inline constexpr wchar_t kSteamExecutable[] = L"Fallout76.exe";
inline constexpr wchar_t kStoreExecutable[] = L"Project76_GamePass.exe";
// What the version line shows when the Store package's manifest cannot be read.
inline constexpr wchar_t kUnknownVersion[] = L"неизвестна";

struct GameEdition {
    EditionKind Kind = EditionKind::Steam;
    std::wstring InstallFolder;  // the game executable's folder, with a trailing separator
    std::wstring StoreAppId = kStoreDefaultAppId;  // the Store package's application id
    std::wstring StoreVersion;                     // the Store package's version; "" unknown

    const wchar_t* ExecutableName() const { return Kind == EditionKind::Store ? kStoreExecutable : kSteamExecutable; }
    std::wstring ExecutablePath() const { return InstallFolder + ExecutableName(); }
    std::wstring IniName(GameIni which) const;
    std::array<std::wstring, 3> IniNames() const;
    // <install>\Data\, where the game's archives and mods lie.
    std::wstring DataFolder() const { return InstallFolder + L"Data\\"; }
    // The Store package's start address for Explorer: shell:AppsFolder\<family>!<id>.
    std::wstring StoreActivation() const;
    // "Steam" / "Store": the value kept in the settings store.
    const wchar_t* SettingValue() const { return SettingValueOf(Kind); }
    static const wchar_t* SettingValueOf(EditionKind kind) { return kind == EditionKind::Store ? L"Store" : L"Steam"; }
    // "Steam" / "Microsoft Store": how the user sees it.
    static const wchar_t* DisplayNameOf(EditionKind kind) {
        return kind == EditionKind::Store ? L"Microsoft Store" : L"Steam";
    }
};

// The edition the program works with now; Steam's until start-up has found one.
const GameEdition& CurrentEdition();
void SetCurrentEdition(GameEdition edition);

// The edition an executable's file name stands for (letter case ignored); nothing for
// any other name.
std::optional<EditionKind> EditionOfExecutable(const std::wstring& fileName);

// The Store package's own pictures in the game's folder (logos and splash screen), which
// are no screenshots of the player's.
bool IsStorePackagePicture(const std::wstring& fileName);

// Which edition to use when both are installed: the one stored ("Steam" or "Store"),
// otherwise the one whose settings files were changed last (ties go to Steam).
EditionKind ChooseEdition(const std::wstring& stored, unsigned long long steamIniTime,
                          unsigned long long storeIniTime);

}  // namespace ravenlock
