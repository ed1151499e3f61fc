#include "platform/game_edition.h"

#include "platform/paths.h"

namespace ravenlock {

namespace {

GameEdition& Current() {
    static GameEdition edition;
    return edition;
}

}  // namespace

std::wstring GameEdition::IniName(GameIni which) const {
    static constexpr const wchar_t* kSuffixes[] = {L".ini", L"Prefs.ini", L"Custom.ini"};
    return std::wstring(Kind == EditionKind::Store ? L"Project76" : L"Fallout76") +
           kSuffixes[static_cast<int>(which)];
}

std::array<std::wstring, 3> GameEdition::IniNames() const {
    return {IniName(GameIni::Main), IniName(GameIni::Prefs), IniName(GameIni::Custom)};
}

std::wstring GameEdition::StoreActivation() const {
    return std::wstring(L"shell:AppsFolder\\") + kStorePackageFamily + L"!" +
           (StoreAppId.empty() ? std::wstring(kStoreDefaultAppId) : StoreAppId);
}

const GameEdition& CurrentEdition() { return Current(); }

void SetCurrentEdition(GameEdition edition) { Current() = std::move(edition); }

std::optional<EditionKind> EditionOfExecutable(const std::wstring& fileName) {
    if (SameTextAscii(fileName, kSteamExecutable)) return EditionKind::Steam;
    if (SameTextAscii(fileName, kStoreExecutable)) return EditionKind::Store;
    return std::nullopt;
}

bool IsStorePackagePicture(const std::wstring& fileName) {
    for (const wchar_t* name : {L"LiveLogo.png", L"SmallLogo.png", L"SplashScreen.png", L"StoreLogo.png", L"WideLogo.png"})
        if (SameTextAscii(fileName, name)) return true;
    return false;
}

EditionKind ChooseEdition(const std::wstring& stored, unsigned long long steamIniTime,
                          unsigned long long storeIniTime) {
    if (SameTextAscii(stored, L"Store")) return EditionKind::Store;
    if (SameTextAscii(stored, L"Steam")) return EditionKind::Steam;
    return storeIniTime > steamIniTime ? EditionKind::Store : EditionKind::Steam;
}

}  // namespace ravenlock
