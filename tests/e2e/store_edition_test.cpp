// The Microsoft Store (PC Game Pass) edition as its players meet it: found without Steam,
// started through its package, its own settings files edited, and the choice between the
// two editions when both are installed.
#include <gtest/gtest.h>

#include <map>

#include "launch_common.h"
#include "program_test.h"
#include "real_input.h"
#include "remote_controls.h"

namespace e2e {
namespace {

using namespace sandbox;

constexpr wchar_t kStoreVersionLine[] = L"Версия игры: 1.7.24.10";  // the sandbox manifest's
constexpr wchar_t kSteamVersionLine[] = L"Версия игры: 1.7.23.4";   // the stub game's own resource
constexpr wchar_t kSteamNotNeeded[] = L"Steam не нужен (версия из Microsoft Store)";
constexpr wchar_t kGameDialogTitle[] = L"Пожалуйста, укажите файл Fallout76.exe";
constexpr wchar_t kGameFailure[] =
    L"При чтении параметров установки Fallout 76 возникла ошибка. Приложение будет закрыто.";
constexpr wchar_t kStoreRamPrefix[] = L"Потребление памяти процессом Project76_GamePass.exe, Мб: ";

std::map<std::wstring, std::string> FilesOf(const std::vector<std::wstring>& names) {
    std::map<std::wstring, std::string> bytes;
    for (const auto& name : names) bytes[name] = FileBytes(ProfileFolder() + name).value_or("(missing)");
    return bytes;
}

// Read-only alone (Wine reports every file as "archive" as well).
bool ReadOnly(const std::wstring& name) {
    const DWORD attributes = GetFileAttributesW((ProfileFolder() + name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE)) == FILE_ATTRIBUTE_READONLY;
}

class StoreEdition : public ProgramTest {
protected:
    // Steam's edition and Steam itself gone; only the Store's is there.
    void OnlyTheStore(const StoreWorld& world = {}) {
        ASSERT_TRUE(RenameAway(kGameExe));
        ASSERT_TRUE(RenameAway(kSteamExe));
        InstallStoreWorld(world);
    }
    HWND Game(int id) const { return On(ids::kTabGame, id); }
    void SaveScreenshot(const wchar_t* name) const {
        const std::wstring folder = ScreenshotDir();
        EXPECT_TRUE(folder.empty() || SavePng(CaptureWindow(Window()), folder + name));
    }
    // The whole command line the stand-in Explorer got, split; nothing before it ran.
    static std::vector<std::wstring> Activation() {
        const auto lines = LogLines(kAppsFolderLog);
        return lines.empty() ? std::vector<std::wstring>{} : SplitCommandLine(lines.front());
    }
};

TEST_F(StoreEdition, WithoutSteamItStartsQuietlyAndLaunchesThroughThePackage) {
    ASSERT_NO_FATAL_FAILURE(OnlyTheStore());
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(Sync(Window()));
    EXPECT_TRUE(Running().Dialogs().empty()) << "a dialog is open: " << TextOf(Running().Dialogs().front());
    // The version comes from the package's manifest: the encrypted executable says nothing.
    EXPECT_EQ(TextOf(Game(ids::kVersionGameLabel)), kStoreVersionLine);
    EXPECT_EQ(TextOf(Game(ids::kVersionSteamLabel)), kSteamNotNeeded);
    EXPECT_EQ(TextOf(Game(ids::kLabel13)), kSteamNotNeeded);
    EXPECT_FALSE(IsEnabled(Game(ids::kRunSteamButton)));
    EXPECT_FALSE(IsShown(Game(ids::kEditionComboBox))) << "a choice is offered with one edition installed";
    EXPECT_EQ(TextOf(RamLabel(Window())), std::wstring(kStoreRamPrefix) + L"0");
    EXPECT_NE(TooltipOf(Game(ids::kLanguageSwitch)).find(L"языку интерфейса Windows"), std::wstring::npos)
        << "the language switch does not say that the Store's game may follow Windows";

    HWND button = RunGameButton(Window());
    ASSERT_TRUE(WaitFor([&] { return IsEnabled(button); })) << TextOf(ServerStatusLabel(Window()));
    SaveScreenshot(L"store-edition-game-tab.png");
    SetGameArguments(L"--hold-mb 64 --lifetime-ms 20000");
    input::LeftClick(input::CentreOf(button));
    ASSERT_TRUE(WaitFor([] { return !LogLines(kAppsFolderLog).empty(); })) << "Explorer was not asked for the game";
    const auto activation = Activation();
    ASSERT_EQ(activation.size(), 2u) << LogLines(kAppsFolderLog).front();
    EXPECT_EQ(_wcsicmp(activation[0].c_str(), L"C:\\windows\\explorer.exe"), 0) << activation[0];
    EXPECT_EQ(activation[1], std::wstring(kStoreActivation) + L"Game");
    EXPECT_TRUE(LogLines(kSteamLog).empty()) << "Steam was asked for the Store's game";
    // The monitor follows the Store's executable and shows its memory.
    std::optional<int> reading;
    EXPECT_TRUE(WaitFor([&] {
        return TextOf(button) == kCaptionRunning && (reading = NumberAfter(TextOf(RamLabel(Window())), kStoreRamPrefix)) &&
               *reading >= 64;
    })) << TextOf(button) << " / " << TextOf(RamLabel(Window()));
    EXPECT_TRUE(ReadOnly(L"Project76Prefs.ini"));
}

TEST_F(StoreEdition, ItsOwnSettingsFilesAreEditedAndSteamsAreLeftAlone) {
    ASSERT_NO_FATAL_FAILURE(OnlyTheStore());
    const auto steamFiles = FilesOf({L"Fallout76.ini", L"Fallout76Prefs.ini"});
    const auto storePrefsBefore = FileBytes(ProfileFolder() + L"Project76Prefs.ini");
    ASSERT_TRUE(storePrefsBefore.has_value());
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(ShowTab(Window(), ids::kTabTools));
    // Box 17 writes [Interface] bShowTutorials of the Prefs file.
    HWND box = On(ids::kTabTools, ids::kCheckBoxFirst + 17);
    ASSERT_TRUE(IsEnabled(box));
    input::LeftClick(input::CentreOf(box));
    ASSERT_TRUE(WaitFor([&] { return FileBytes(ProfileFolder() + L"Project76Prefs.ini") != storePrefsBefore; }))
        << "the Store's Prefs file was not written";
    EXPECT_NE(FileBytes(ProfileFolder() + L"Project76Prefs.ini")->find("bShowTutorials="), std::string::npos);
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(FilesOf({L"Fallout76.ini", L"Fallout76Prefs.ini"}), steamFiles);
    EXPECT_FALSE(FileExists(ProfileFolder() + L"Fallout76Custom.ini")) << "Steam's custom file was made";
    for (const wchar_t* name : {L"Project76.ini", L"Project76Prefs.ini", L"Project76Custom.ini"})
        EXPECT_TRUE(ReadOnly(name)) << name;

    // The editor shows the Store's Prefs file (its own resolution line).
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    const auto lines = ListBoxLines(On(ids::kTabEditor, ids::kFallout76PrefsiniListBox));
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"iSize W=2560"), lines.end());
    // The photo manager lists the game's screenshots, not the package's logos.
    ASSERT_TRUE(ShowTab(Window(), ids::kTabPhotos));
    EXPECT_EQ(ListBoxLines(On(ids::kTabPhotos, ids::kScreenshotListBox)), std::vector<std::wstring>{L"ScreenShot0.png"});
}

TEST_F(StoreEdition, WithBothTheStoredChoiceHoldsAndTheBoxSwitchesForGood) {
    InstallStoreWorld();
    ASSERT_TRUE(WriteString(kSettingsKey, L"GameEdition", L"Store"));
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(Sync(Window()));
    EXPECT_EQ(TextOf(Game(ids::kVersionGameLabel)), kStoreVersionLine);
    HWND combo = Game(ids::kEditionComboBox);
    ASSERT_TRUE(IsShown(combo)) << "no choice of edition";
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TextOf(Game(ids::kEditionLabel)), L"Версия игры:");
    SaveScreenshot(L"edition-choice-game-tab.png");

    // Steam's edition chosen with the mouse and the keyboard, as a user does.
    input::LeftClick(input::CentreOf(combo));
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; })) << "the list did not open";
    // The open list is a window of its own; its first line is Steam.
    HWND list = nullptr;
    for (HWND w : WindowsOf(Running().Id(), L"ComboLBox"))
        if (IsWindowVisible(w)) list = w;
    ASSERT_NE(list, nullptr) << "the open list is not on screen";
    const int row = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    input::LeftClick(input::ScreenPoint(list, {20, row / 2}));
    ASSERT_TRUE(WaitFor([] { return ReadString(kSettingsKey, L"GameEdition") == L"Steam"; }))
        << ReadString(kSettingsKey, L"GameEdition").value_or(L"(nothing)");
    EXPECT_TRUE(WaitFor([&] { return TextOf(Game(ids::kVersionGameLabel)) == kSteamVersionLine; }))
        << TextOf(Game(ids::kVersionGameLabel));
    EXPECT_EQ(TextOf(Game(ids::kLabel13)), L"Логин: " + std::wstring(kSteamLogin));
    EXPECT_TRUE(IsEnabled(Game(ids::kRunSteamButton)));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    auto lines = ListBoxLines(On(ids::kTabEditor, ids::kFallout76PrefsiniListBox));
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"iSize W=1920"), lines.end()) << "the editor still reads the Store's file";

    // The choice survives a restart.
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(Sync(Window()));
    EXPECT_EQ(TextOf(Game(ids::kVersionGameLabel)), kSteamVersionLine);
    EXPECT_EQ(SendMessageW(Game(ids::kEditionComboBox), CB_GETCURSEL, 0, 0), 0);

    // The tray's item switches back.
    PostCommand(Window(), ids::kEditionStoreN);
    ASSERT_TRUE(WaitFor([] { return ReadString(kSettingsKey, L"GameEdition") == L"Store"; }));
    EXPECT_TRUE(WaitFor([&] { return TextOf(Game(ids::kVersionGameLabel)) == kStoreVersionLine; }));
    EXPECT_EQ(TextOf(RamLabel(Window())), std::wstring(kStoreRamPrefix) + L"0");
}

TEST_F(StoreEdition, WithNeitherTheDialogTakesTheStoresExecutable) {
    ASSERT_TRUE(RenameAway(kGameExe));
    ASSERT_TRUE(RenameAway(kSteamExe));
    const std::wstring chosen = std::wstring(kScratch) + L"Project76_GamePass.exe";
    ASSERT_TRUE(CopyStub(L"Fallout76.exe", chosen));
    Program program;
    HWND dialog = program.WaitForDialog(kGameDialogTitle);
    ASSERT_NE(dialog, nullptr) << "no dialog asks for the game";
    ASSERT_TRUE(ChooseFile(dialog, chosen));
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr) << "the Store's executable was refused";
    EXPECT_EQ(ReadString(kSettingsKey, L"GamePassExePath").value_or(L"(nothing)"), chosen);
    // No manifest beside it: the version is unknown, and Steam is not asked for.
    EXPECT_EQ(TextOf(PageControl(window, ids::kPageFirst + ids::kTabGame, ids::kVersionGameLabel)),
              L"Версия игры: неизвестна");
    EXPECT_TRUE(program.Dialogs().empty());
}

TEST_F(StoreEdition, TheGamingRootFindsItWithoutTheRecordAndABrokenOneFindsNothing) {
    const std::string good = GamingRootOf({L"\\XboxGames"});
    const struct {
        const char* what;
        std::string bytes;
        bool found;
    } cases[] = {
        {"as the Xbox app writes it", good, true},
        {"cut short", good.substr(0, good.size() - 3), false},
        {"a huge count", GamingRootOf({L"\\XboxGames"}).replace(4, 4, std::string("\xff\xff\xff\x7f", 4)), false},
        {"no closing NUL", good.substr(0, good.size() - 2), false},
        {"a library off the drive", GamingRootOf({L"..\\..\\XboxGames"}), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        StoreWorld world;
        world.registryEntry = false;
        world.gamingRootBytes = c.bytes;
        ASSERT_NO_FATAL_FAILURE(OnlyTheStore(world));
        Program program;
        if (c.found) {
            HWND window = program.WaitForMainWindow();
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(TextOf(PageControl(window, ids::kPageFirst + ids::kTabGame, ids::kVersionGameLabel)),
                      kStoreVersionLine);
            EXPECT_TRUE(program.Dialogs().empty());
        } else {
            // Nothing found: the user is asked, and a cancel ends the program.
            HWND dialog = program.WaitForDialog(kGameDialogTitle);
            ASSERT_NE(dialog, nullptr) << "no dialog asks for the game";
            CancelDialog(dialog);
            HWND box = program.WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(MessageBoxText(box), kGameFailure);
            Answer(box, IDOK);
            EXPECT_TRUE(program.WaitForExit());
        }
    }
}

TEST_F(StoreEdition, ABrokenManifestGivesAnUnknownVersionAndTheUsualApplication) {
    StoreWorld world;
    world.manifestBytes = "<?xml version=\"1.0\"?><Package><Identity Version=\"1.2";
    ASSERT_NO_FATAL_FAILURE(OnlyTheStore(world));
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(TextOf(Game(ids::kVersionGameLabel)), L"Версия игры: неизвестна");
    HWND button = RunGameButton(Window());
    ASSERT_TRUE(WaitFor([&] { return IsEnabled(button); }));
    SetGameArguments(L"--lifetime-ms 3000");
    Click(button);
    ASSERT_TRUE(WaitFor([] { return !LogLines(kAppsFolderLog).empty(); }));
    const auto activation = Activation();
    ASSERT_EQ(activation.size(), 2u);
    EXPECT_EQ(activation[1], std::wstring(kStoreActivation) + L"Fallout76");
}

}  // namespace
}  // namespace e2e
