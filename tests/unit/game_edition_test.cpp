// The two editions of the game: their files, how each is started, which one is taken when
// both are installed, and the Xbox app's records read with bounds.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/game_edition.h"
#include "platform/store_rules.h"

namespace ravenlock {
namespace {

TEST(GameEdition, EachEditionNamesItsOwnFilesAndStart) {
    GameEdition steam;
    steam.InstallFolder = L"C:\\Steam\\steamapps\\common\\Fallout76\\";
    GameEdition store;
    store.Kind = EditionKind::Store;
    store.InstallFolder = L"X:\\XboxGames\\Fallout 76\\Content\\";
    const struct {
        const GameEdition& edition;
        const wchar_t *exe, *main, *prefs, *custom, *data;
    } cases[] = {
        {steam, L"C:\\Steam\\steamapps\\common\\Fallout76\\Fallout76.exe", L"Fallout76.ini", L"Fallout76Prefs.ini",
         L"Fallout76Custom.ini", L"C:\\Steam\\steamapps\\common\\Fallout76\\Data\\"},
        {store, L"X:\\XboxGames\\Fallout 76\\Content\\Project76_GamePass.exe", L"Project76.ini", L"Project76Prefs.ini",
         L"Project76Custom.ini", L"X:\\XboxGames\\Fallout 76\\Content\\Data\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exe);
        EXPECT_EQ(c.edition.ExecutablePath(), c.exe);
        EXPECT_EQ(c.edition.IniName(GameIni::Main), c.main);
        EXPECT_EQ(c.edition.IniName(GameIni::Prefs), c.prefs);
        EXPECT_EQ(c.edition.IniName(GameIni::Custom), c.custom);
        EXPECT_EQ(c.edition.IniNames()[2], c.custom);
        EXPECT_EQ(c.edition.DataFolder(), c.data);
    }
    EXPECT_EQ(store.StoreActivation(), L"shell:AppsFolder\\BethesdaSoftworks.Fallout76-PC_3275kfvn8vcwc!Fallout76");
    store.StoreAppId = L"Game.App";
    EXPECT_EQ(store.StoreActivation(), L"shell:AppsFolder\\BethesdaSoftworks.Fallout76-PC_3275kfvn8vcwc!Game.App");
}

TEST(GameEdition, TheChosenFileNameDecidesTheEdition) {
    EXPECT_EQ(EditionOfExecutable(L"fallout76.EXE"), EditionKind::Steam);
    EXPECT_EQ(EditionOfExecutable(L"project76_gamepass.exe"), EditionKind::Store);
    for (const wchar_t* other : {L"Fallout76Launcher.exe", L"Project76.exe", L"Game.exe", L""})
        EXPECT_EQ(EditionOfExecutable(other), std::nullopt) << other;
}

TEST(GameEdition, BothInstalledTakesTheStoredChoiceElseTheNewestFiles) {
    const struct {
        const wchar_t* stored;
        unsigned long long steamTime, storeTime;
        EditionKind chosen;
    } cases[] = {
        {L"Store", 500, 100, EditionKind::Store},  // the user's choice wins over the file times
        {L"Steam", 100, 500, EditionKind::Steam},
        {L"", 100, 500, EditionKind::Store},       // none stored: the files changed last
        {L"", 500, 100, EditionKind::Steam},
        {L"", 0, 0, EditionKind::Steam},           // no files at all
        {L"Xbox", 100, 500, EditionKind::Store},   // an unknown value counts as none
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseEdition(c.stored, c.steamTime, c.storeTime), c.chosen)
            << "stored '" << std::string(c.stored, c.stored + wcslen(c.stored)) << "'";
}

TEST(GameEdition, ThePackagesOwnPicturesAreNoScreenshots) {
    for (const wchar_t* logo : {L"LiveLogo.png", L"smalllogo.PNG", L"SplashScreen.png", L"StoreLogo.png", L"WideLogo.png"})
        EXPECT_TRUE(IsStorePackagePicture(logo)) << logo;
    for (const wchar_t* shot : {L"ScreenShot0.png", L"Logo.png", L"StoreLogo.png.png"})
        EXPECT_FALSE(IsStorePackagePicture(shot)) << shot;
}

// A .GamingRoot: "RGBX", a u32 count, then the NUL-terminated UTF-16LE paths.
std::string GamingRoot(uint32_t count, const std::u16string& paths) {
    std::string bytes = "RGBX";
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((count >> (8 * i)) & 0xff);
    for (char16_t c : paths) {
        bytes += static_cast<char>(c & 0xff);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

TEST(GamingRoot, LibraryFoldersAreReadWithinTheirBounds) {
    using Folders = std::vector<std::wstring>;
    const struct {
        const char* what;
        std::string bytes;
        Folders folders;
    } cases[] = {
        {"one library", GamingRoot(1, u"\\XboxGames" + std::u16string(1, 0)), {L"XboxGames"}},
        {"two, with either separator", GamingRoot(2, u"Games/Xbox/" + std::u16string(1, 0) + u"Other" + std::u16string(1, 0)),
         {L"Games/Xbox", L"Other"}},
        {"Cyrillic name", GamingRoot(1, u"Игры" + std::u16string(1, 0)), {L"Игры"}},
        {"no folders", GamingRoot(0, u""), {}},
        {"another magic", "RGBY" + GamingRoot(1, u"X" + std::u16string(1, 0)).substr(4), {}},
        {"header cut short", std::string("RGBX\x01\x00", 6), {}},
        {"path without its NUL", GamingRoot(1, u"XboxGames"), {}},
        {"count beyond the paths", GamingRoot(3, u"A" + std::u16string(1, 0) + u"B" + std::u16string(1, 0)), {}},
        {"huge count", GamingRoot(0xffffffffu, u"A" + std::u16string(1, 0)), {}},
        {"odd byte at the end", GamingRoot(1, u"A") + std::string(1, '\0'), {}},
        {"leaves the drive", GamingRoot(1, u"..\\Windows" + std::u16string(1, 0)), {}},
        {"climbs with three dots", GamingRoot(1, u"Games\\...\\Windows" + std::u16string(1, 0)), {}},
        {"another drive", GamingRoot(1, u"D:\\Games" + std::u16string(1, 0)), {}},
        {"empty path", GamingRoot(1, std::u16string(1, 0)), {}},
        {"too large a file", GamingRoot(1, std::u16string(40000, u'a') + std::u16string(1, 0)), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseGamingRoot(c.bytes), c.folders) << c.what;
}

TEST(GamingRoot, PackageNamesAndRootsOfTheRecord) {
    EXPECT_TRUE(IsGamePackageName(L"BethesdaSoftworks.Fallout76-PC_1.7.12.4_x64__3275kfvn8vcwc"));
    EXPECT_TRUE(IsGamePackageName(L"bethesdasoftworks.fallout76-pc_3275kfvn8vcwc"));
    EXPECT_FALSE(IsGamePackageName(L"BethesdaSoftworks.Fallout4-PC_1.0.0.0_x64__3275kfvn8vcwc"));
    EXPECT_FALSE(IsGamePackageName(L"BethesdaSoftworks.Fallout76-PC_1.0.0.0_x64__otherpublisher"));
    EXPECT_FALSE(IsGamePackageName(L""));

    EXPECT_EQ(StoreRootFolder(L"\\\\?\\X:\\XboxGames\\Fallout 76\\Content"), L"X:\\XboxGames\\Fallout 76\\Content\\");
    EXPECT_EQ(StoreRootFolder(L"C:/Program Files/ModifiableWindowsApps/Fallout 76/"),
              L"C:\\Program Files\\ModifiableWindowsApps\\Fallout 76\\");
    for (const wchar_t* bad : {L"", L"Content", L"\\\\server\\share\\Fallout 76", L"X:\\Games\\..\\..\\Windows",
                               L"X:relative"})
        EXPECT_EQ(StoreRootFolder(bad), L"") << std::string(bad, bad + wcslen(bad));
}

}  // namespace
}  // namespace ravenlock
