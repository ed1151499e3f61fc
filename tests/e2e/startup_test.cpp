// Start-up as a user meets it: one copy at a time, the game and Steam found where
// they are installed, the dialogs that ask for them when they are not, and the
// program's end when the answer is unusable.
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "driver.h"
#include "sandbox.h"

namespace e2e {
namespace {

using namespace sandbox;
namespace ids = ravenlock::ids;

constexpr wchar_t kGameDialogTitle[] = L"Пожалуйста, укажите файл Fallout76.exe";
constexpr wchar_t kSteamDialogTitle[] = L"Пожалуйста, укажите файл Steam.exe";
constexpr wchar_t kGameFailure[] =
    L"При чтении параметров установки Fallout 76 возникла ошибка. Приложение будет закрыто.";
constexpr wchar_t kSteamFailure[] =
    L"При чтении параметров установки Steam возникла ошибка. Приложение будет закрыто.";
constexpr wchar_t kGamePathValue[] = L"Fallout76ExePath";
constexpr wchar_t kSteamPathValue[] = L"SteamExePath";

class Startup : public SandboxTest {
protected:
    // A stored game path that names nothing, and no game at the default path either:
    // the program has to ask.
    void LoseTheGame() {
        ASSERT_TRUE(WriteString(kSettingsKey, kGamePathValue, L"C:\\Games\\Fallout76\\Fallout76.exe"));
        ASSERT_TRUE(RenameAway(kGameExe));
    }

    // The fatal message, and after its OK the program ends quietly.
    void ExpectFatalEnd(const Program& program, const std::wstring& message) {
        HWND box = program.WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no message box appeared";
        EXPECT_EQ(TextOf(box), ids::kMessageBoxTitle);
        EXPECT_EQ(MessageBoxText(box), message);
        Answer(box, IDOK);
        ASSERT_TRUE(program.WaitForExit()) << "the program goes on after the fatal message";
        EXPECT_EQ(program.ExitCode(), 0u);
    }
};

TEST_F(Startup, SecondStartShowsTheFirstCopyAndEnds) {
    for (const bool firstHidden : {false, true}) {
        SCOPED_TRACE(firstHidden ? "first copy hidden by a close request" : "first copy on screen");
        Program first;
        HWND window = first.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        if (firstHidden) {
            PostClose(window);
            ASSERT_TRUE(WaitFor([&] { return !IsShown(window); }));
        }

        Program second;
        // A second copy that opens a window of its own will not end by itself.
        WaitFor([&] { return !second.IsRunning() || IsShown(second.MainWindow()); });
        ASSERT_FALSE(second.IsRunning()) << "the second copy stays";
        EXPECT_EQ(second.ExitCode(), 0u);
        EXPECT_TRUE(WaitFor([&] { return IsShown(window); })) << "the first copy's window is not shown";
        EXPECT_TRUE(first.IsRunning());
        EXPECT_EQ(MainWindows().size(), 1u);
    }
}

TEST_F(Startup, GameAtTheDefaultPathNeedsNoDialogAndStoresNothing) {
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Sync(window));
    const auto dialogs = program.Dialogs();
    EXPECT_TRUE(dialogs.empty()) << "a dialog titled \"" << TextOf(dialogs.front()) << "\" is open";
    EXPECT_TRUE(WaitFor([] { return KeyExists(kSettingsKey); })) << "no settings key";
    EXPECT_EQ(ValueCount(kSettingsKey), 0);
}

TEST_F(Startup, GameDialogTakesOnlyAFileNamedFallout76Exe) {
    const struct {
        const wchar_t* name;
        bool taken;
    } cases[] = {
        {L"fallout76.EXE", true},  // the name counts without regard to case
        {L"Fallout76Launcher.exe", false},
        {L"Game.exe", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        LoseTheGame();
        const std::wstring chosen = std::wstring(kScratch) + c.name;
        ASSERT_TRUE(CopyStub(L"Fallout76.exe", chosen));

        Program program;
        HWND dialog = program.WaitForDialog(kGameDialogTitle);
        ASSERT_NE(dialog, nullptr) << "no dialog asks for the game";
        ASSERT_TRUE(ChooseFile(dialog, chosen));
        if (c.taken) {
            EXPECT_TRUE(WaitFor([&] { return ReadString(kSettingsKey, kGamePathValue) == chosen; }))
                << "stored: " << ReadString(kSettingsKey, kGamePathValue).value_or(L"(nothing)");
            EXPECT_NE(program.WaitForMainWindow(), nullptr);
        } else {
            ExpectFatalEnd(program, kGameFailure);
        }
    }
}

TEST_F(Startup, CancelledSteamDialogEndsTheProgram) {
    for (const bool gameDialogFirst : {false, true}) {
        SCOPED_TRACE(gameDialogFirst ? "after the game dialog" : "game found");
        Reset();
        // Steam's record names a Steam.exe that is gone; the game stays where Steam's
        // library has it.
        ASSERT_TRUE(RenameAway(kSteamExe));
        const std::wstring chosenGame = std::wstring(kScratch) + L"fallout76.EXE";
        if (gameDialogFirst) {
            LoseTheGame();
            ASSERT_TRUE(CopyStub(L"Fallout76.exe", chosenGame));
        }

        Program program;
        if (gameDialogFirst) {
            HWND gameDialog = program.WaitForDialog(kGameDialogTitle);
            ASSERT_NE(gameDialog, nullptr) << "no dialog asks for the game";
            ASSERT_TRUE(ChooseFile(gameDialog, chosenGame));
        }
        HWND steamDialog = program.WaitForDialog(kSteamDialogTitle);
        ASSERT_NE(steamDialog, nullptr) << "no dialog asks for Steam";
        CancelDialog(steamDialog);
        ExpectFatalEnd(program, kSteamFailure);
        if (gameDialogFirst) {
            EXPECT_EQ(ReadString(kSettingsKey, kGamePathValue).value_or(L"(nothing)"), chosenGame);
        }
        EXPECT_FALSE(ReadString(kSettingsKey, kSteamPathValue).has_value());
    }
}

TEST_F(Startup, ChosenPathsAreUsedAgainAtTheNextStart) {
    // Neither where it is expected: both dialogs ask, and the answers are stored.
    LoseTheGame();
    ASSERT_TRUE(RenameAway(kSteamExe));
    const std::wstring game = std::wstring(kScratch) + L"Fallout76.exe";
    const std::wstring steam = std::wstring(kScratch) + L"Steam.exe";
    ASSERT_TRUE(CopyStub(L"Fallout76.exe", game));
    ASSERT_TRUE(CopyStub(L"Steam.exe", steam));
    {
        Program program;
        HWND gameDialog = program.WaitForDialog(kGameDialogTitle);
        ASSERT_NE(gameDialog, nullptr) << "no dialog asks for the game";
        ASSERT_TRUE(ChooseFile(gameDialog, game));
        HWND steamDialog = program.WaitForDialog(kSteamDialogTitle);
        ASSERT_NE(steamDialog, nullptr) << "no dialog asks for Steam";
        ASSERT_TRUE(ChooseFile(steamDialog, steam));
        ASSERT_NE(program.WaitForMainWindow(), nullptr);
    }
    EXPECT_EQ(ReadString(kSettingsKey, kGamePathValue).value_or(L"(nothing)"), game);
    EXPECT_EQ(ReadString(kSettingsKey, kSteamPathValue).value_or(L"(nothing)"), steam);

    Program again;
    HWND window = again.WaitForMainWindow();
    ASSERT_NE(window, nullptr) << "the second start did not come up";
    ASSERT_TRUE(Sync(window));
    EXPECT_TRUE(again.Dialogs().empty()) << "a dialog asks again";
    HWND steamButton = PageControl(window, ids::kPageFirst + ids::kTabGame, ids::kRunSteamButton);
    ASSERT_TRUE(IsEnabled(steamButton));
    Click(steamButton);
    ASSERT_TRUE(WaitFor([] { return !ProcessesNamed(L"Steam.exe").empty() || !LogLines(kSteamLog).empty(); }))
        << "the Steam button started nothing";
    const auto running = ProcessesNamed(L"Steam.exe");
    EXPECT_TRUE(running.empty() || _wcsicmp(ImagePathOf(running.front()).c_str(), steam.c_str()) == 0)
        << ImagePathOf(running.front());
    EXPECT_TRUE(WaitFor([] { return LogLines(kSteamLog).size() == 1; })) << "the stub Steam did not log its start";
}

}  // namespace
}  // namespace e2e
