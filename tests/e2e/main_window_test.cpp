// The main window as a frame: its size, what a close request does, and the tabs, each
// saved as a screenshot for people to look at.
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "driver.h"
#include "sandbox.h"

namespace e2e {
namespace {

namespace ids = ravenlock::ids;

using MainWindow = SandboxTest;

TEST_F(MainWindow, OpensWithItsCaptionAndClientSize) {
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TextOf(window), ids::kMainWindowCaption);
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right - client.left, 651);
    // Three rows of tabs over pages of 643 × 852.
    EXPECT_EQ(client.bottom - client.top, 958);
}

TEST_F(MainWindow, CloseRequestHidesTheWindowAndTheProgramLivesOn) {
    const struct {
        const char* how;
        void (*request)(HWND);
    } cases[] = {
        {"WM_CLOSE", [](HWND w) { PostClose(w); }},
        {"SC_CLOSE", [](HWND w) { PostSysCommand(w, SC_CLOSE); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        Program program;
        HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        c.request(window);
        EXPECT_TRUE(WaitFor([&] { return !IsShown(window); }));
        EXPECT_TRUE(IsWindow(window)) << "the window was destroyed";
        EXPECT_TRUE(Sync(window)) << "the window no longer answers";
        EXPECT_TRUE(program.IsRunning());
    }
}

TEST_F(MainWindow, EachTabShowsItsOwnPage) {
    const wchar_t* const names[ids::kTabCount] = {L"game", L"photos", L"integration", L"tools", L"editor", L"resources",
                                                   L"screen", L"mods"};
    const std::wstring folder = ScreenshotDir();
    ASSERT_FALSE(folder.empty()) << "RAVENLOCK_SCREENSHOT_DIR is not set";
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    for (int tab = 0; tab < ids::kTabCount; ++tab) {
        SCOPED_TRACE(names[tab]);
        HWND button = Control(window, ids::kTabButtonFirst + tab);
        ASSERT_NE(button, nullptr) << "no tab button";
        Click(button);
        const auto onlyThisPageShown = [&] {
            for (int page = 0; page < ids::kTabCount; ++page)
                if (IsShown(Control(window, ids::kPageFirst + page)) != (page == tab)) return false;
            return true;
        };
        EXPECT_TRUE(WaitFor(onlyThisPageShown));
        if (tab == ids::kTabGame) {
            // The Game tab as people see it: with the servers' answer and the news in.
            HWND page = Control(window, ids::kPageFirst + ids::kTabGame);
            EXPECT_TRUE(WaitFor([&] {
                return TextOf(Control(page, ids::kServerStatusLabel)).starts_with(L"Состояние серверов Fallout 76: ") &&
                       !TextOf(Control(page, ids::kNewsLabel0)).empty();
            }));
        }

        const Picture shot = CaptureWindow(window);
        RECT frame{};
        GetWindowRect(window, &frame);
        EXPECT_EQ(shot.width, frame.right - frame.left);
        EXPECT_GT(shot.DistinctColours(), 1u) << "the screenshot is blank";
        const std::wstring file = folder + L"tab" + std::to_wstring(tab) + L"-" + names[tab] + L".png";
        EXPECT_TRUE(SavePng(shot, file)) << "could not write the screenshot";
    }
}

}  // namespace
}  // namespace e2e
