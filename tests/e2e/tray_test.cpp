// The tray icon and its menu, the program's handles while the window is hidden, and the
// system-wide hotkey it holds while it runs.
#include <gtest/gtest.h>

#include "exit_checks.h"
#include "launch_common.h"

namespace e2e {
namespace {

using Tray = SandboxTest;

TEST_F(Tray, IconClickAndMenuItemToggleTheWindow) {
    const struct {
        const char* how;
        void (*toggle)(HWND);
    } ways[] = {
        {"left click on the icon", [](HWND w) { ClickTrayIcon(w); }},
        {"menu item Свернуть/Развернуть", [](HWND w) { PostCommand(w, ids::kMinMaxN); }},
    };
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        way.toggle(window);
        EXPECT_TRUE(WaitFor([&] { return !IsShown(window); })) << "the window stays on screen";
        EXPECT_TRUE(program.IsRunning());
        way.toggle(window);
        EXPECT_TRUE(WaitFor([&] { return IsShown(window); })) << "the window does not come back";
    }
}

TEST_F(Tray, ExitEndsTheProgramAndLetsGoOfTheHotKey) {
    constexpr int kOurHotKey = 0x76;
    for (const bool hidden : {true, false}) {
        SCOPED_TRACE(hidden ? "window hidden" : "window on screen");
        Program program;
        HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        // While the program runs, CTRL+SHIFT+F is its own for the whole system (from the
        // start-up steps that follow the first paint).
        EXPECT_TRUE(WaitFor([] { return !HotKeyFree(); })) << "nobody holds CTRL+SHIFT+F";
        if (hidden) {
            PostClose(window);
            ASSERT_TRUE(WaitFor([&] { return !IsShown(window); }));
        }

        PostCommand(window, ids::kExitN);
        ASSERT_TRUE(program.WaitForExit()) << "the program goes on after Выход";
        EXPECT_EQ(program.ExitCode(), 0u);
        EXPECT_TRUE(MainWindows().empty());
        EXPECT_TRUE(RegisterHotKey(nullptr, kOurHotKey, kHotKeyModifiers, kHotKeyKey))
            << "CTRL+SHIFT+F stays taken after the exit";
        UnregisterHotKey(nullptr, kOurHotKey);
    }
}

}  // namespace
}  // namespace e2e
