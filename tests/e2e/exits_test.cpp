// Every way the program ends, taken as a user takes it, and what each must leave behind;
// and the one-copy rule under two quick starts.
#include <gtest/gtest.h>

#include "exit_checks.h"
#include "launch_common.h"
#include "real_input.h"
#include "remote_controls.h"

namespace e2e {
namespace {

using namespace sandbox;

class Exits : public SandboxTest {
protected:
    void SetUp() override {
        SandboxTest::SetUp();
        ASSERT_TRUE(ClearHotKeyAtom()) << "the atom FalloutCloseForce cannot be cleared";
    }
    // After a clean exit: code 0, no window, nothing left held.
    static void ExpectEnded(const Program& program, HWND window) {
        ASSERT_TRUE(program.WaitForExit()) << "the program goes on";
        EXPECT_EQ(program.ExitCode(), 0u);
        EXPECT_TRUE(MainWindows().empty());
        ExpectCleanedUp(window);
    }
};

TEST_F(Exits, TrayMenuExitCleansUpWithTheWindowShownOrHidden) {
    for (const bool hidden : {false, true}) {
        SCOPED_TRACE(hidden ? "window hidden" : "window on screen");
        ASSERT_TRUE(ClearHotKeyAtom());
        Program program;
        HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        ExpectHeld(window);
        if (hidden) {
            PostClose(window);
            ASSERT_TRUE(WaitFor([&] { return !IsShown(window); }));
        }
        HWND menu = OpenTrayMenu(window);
        ASSERT_NE(menu, nullptr) << "the tray icon opens no menu";
        ChooseFromBottomOfMenu(menu, kTrayExit);
        ExpectEnded(program, window);
    }
}

TEST_F(Exits, SettingsResetCleansUp) {
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ExpectHeld(window);
    ASSERT_TRUE(ShowTab(window, ids::kTabResources));
    HWND about = PageControl(window, ids::kPageFirst + ids::kTabResources, ids::kAboutLabel);
    input::LeftClick(input::CentreOf(about));
    HWND box = program.WaitForDialog(L"Сброс настроек");
    ASSERT_NE(box, nullptr) << "no question";
    Answer(box, IDYES);
    ExpectEnded(program, window);
    EXPECT_FALSE(KeyExists(kSettingsKey));
}

TEST_F(Exits, FatalStartUpCleansUp) {
    // No game where it is expected and none stored: the program asks, and a cancelled
    // dialog ends it.
    ASSERT_TRUE(RenameAway(kGameExe));
    Program program;
    HWND dialog = program.WaitForDialog(L"Пожалуйста, укажите файл Fallout76.exe");
    ASSERT_NE(dialog, nullptr) << "no dialog asks for the game";
    HWND window = program.MainWindow();
    ASSERT_NE(window, nullptr);
    // The tray icon and the hotkey come after the first paint, which a fatal start-up never
    // reaches: nothing is held while it asks, and nothing is left after it.
    EXPECT_FALSE(TrayIconPresent(window)) << "a tray icon before the window was ever shown";
    EXPECT_TRUE(HotKeyFree()) << "CTRL+SHIFT+F taken before the window was ever shown";
    CancelDialog(dialog);
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no fatal message";
    Answer(box, IDOK);
    ExpectEnded(program, window);
}

TEST_F(Exits, TwoQuickStartsLeaveOneCopy) {
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        Reset();
        // As auto-start and a double-click on the shortcut: neither waits for the other.
        Program first, second;
        ASSERT_TRUE(WaitFor([&] { return !first.IsRunning() || !second.IsRunning(); }))
            << "both copies stay";
        const Program& ended = first.IsRunning() ? second : first;
        const Program& kept = first.IsRunning() ? first : second;
        EXPECT_EQ(ended.ExitCode(), 0u);
        HWND window = kept.WaitForMainWindow();
        ASSERT_NE(window, nullptr) << "the remaining copy shows no window";
        EXPECT_TRUE(kept.IsRunning());
        EXPECT_EQ(MainWindows().size(), 1u);
        EndStartedProcesses();
    }
}

}  // namespace
}  // namespace e2e
