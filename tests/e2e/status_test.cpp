// The server status line on the Game tab and what hangs on it: the game button's enabled
// state, the automatic launch after "-AutoRun", and the status page behind a click.
#include <gtest/gtest.h>

#include "launch_common.h"

namespace e2e {
namespace {

using namespace sandbox;

std::wstring StatusLine(const std::wstring& status) { return kStatusPrefix + status; }

class ServerStatus : public SandboxTest {
protected:
    // Another tab and then the Game tab again, as the user does to look anew.
    static void ReselectGameTab(HWND window) {
        HWND gamePage = Control(window, ids::kPageFirst + ids::kTabGame);
        SelectTab(window, ids::kTabTools);
        ASSERT_TRUE(WaitFor([&] { return !IsShown(gamePage); })) << "the Game tab stays";
        SelectTab(window, ids::kTabGame);
    }
    struct Shown {
        HWND window = nullptr, label = nullptr, button = nullptr;
    };
    // Starts the program and waits for its first report, "В норме".
    static void StartWithAGoodReport(Program& program, Shown& shown) {
        shown.window = program.WaitForMainWindow();
        ASSERT_NE(shown.window, nullptr);
        shown.label = ServerStatusLabel(shown.window);
        shown.button = RunGameButton(shown.window);
        ASSERT_TRUE(WaitFor([&] { return TextOf(shown.label) == StatusLine(L"В норме") && IsEnabled(shown.button); }));
    }
    // Starts a check that the service keeps waiting beyond the program's time-out.
    static void StartASlowCheck(const Shown& shown) {
        ASSERT_TRUE(SetScenario(L"slow"));
        ASSERT_NO_FATAL_FAILURE(ReselectGameTab(shown.window));
        ASSERT_TRUE(WaitFor([&] { return TextOf(shown.label) == kStatusLoading; })) << "status line: " << TextOf(shown.label);
    }
};

TEST_F(ServerStatus, EachReportGivesItsLineAndTheButtonState) {
    // In an order where neighbours differ, so that each line proves a check of its own.
    const struct {
        const wchar_t* scenario;
        const wchar_t* status;
        bool runnable;
    } cases[] = {
        {L"under_maintenance", L"Техническое обслуживание", false},
        {L"partial_outage", L"Частичное отключение", true},
        {L"major_outage", L"Полное отключение", false},
        {L"operational", L"В норме", true},
        {L"unknown_status", L"degraded_performance", false},  // shown as it came
        {L"no_component", L"", false},
        {L"malformed", kStatusError, false},
        {L"partial_outage", L"Частичное отключение", true},
        {L"error_page", kStatusError, false},
        {L"operational", L"В норме", true},
        {L"down", kStatusError, false},
    };
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    HWND label = ServerStatusLabel(window);
    HWND button = RunGameButton(window);
    ASSERT_TRUE(WaitFor([&] { return TextOf(label) == StatusLine(L"В норме"); })) << "start-up: " << TextOf(label);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        ASSERT_TRUE(SetScenario(c.scenario));
        ASSERT_NO_FATAL_FAILURE(ReselectGameTab(window));
        EXPECT_TRUE(WaitFor([&] { return TextOf(label) == StatusLine(c.status) && IsEnabled(button) == c.runnable; }))
            << "status line: " << TextOf(label) << "; button " << (IsEnabled(button) ? "enabled" : "disabled");
        // Yellow when the game may be started, red otherwise (the underline alone gives
        // pixels of the exact colour).
        const uint32_t colour = c.runnable ? kStatusYellow : kStatusRed;
        const uint32_t otherColour = c.runnable ? kStatusRed : kStatusYellow;
        EXPECT_TRUE(WaitFor([&] { return PixelsOfColour(label, colour) > 50 && PixelsOfColour(label, otherColour) == 0; }))
            << "pixels: " << PixelsOfColour(label, colour) << " of the line's colour, "
            << PixelsOfColour(label, otherColour) << " of the other";
        // Failures show in the line alone.
        EXPECT_TRUE(program.Dialogs().empty());
        EXPECT_TRUE(Sync(window)) << "the window no longer answers";
    }
}

TEST_F(ServerStatus, ReselectedGameTabShowsTheLoadingLineWhileTheServiceIsSlow) {
    Program program;
    Shown shown;
    ASSERT_NO_FATAL_FAILURE(StartWithAGoodReport(program, shown));
    const auto [window, label, button] = shown;
    ASSERT_NO_FATAL_FAILURE(StartASlowCheck(shown));
    EXPECT_FALSE(IsEnabled(button)) << "the button stays enabled while the check runs";
    EXPECT_TRUE(WaitFor([&] { return PixelsOfColour(label, kStatusWhite) > 50 && PixelsOfColour(label, kStatusYellow) == 0; }))
        << "the loading line is not white";
    // The window goes on while the service keeps it waiting.
    SelectTab(window, ids::kTabResources);
    EXPECT_TRUE(WaitFor([&] { return IsShown(Control(window, ids::kPageFirst + ids::kTabResources)); }));
    EXPECT_EQ(TextOf(label), kStatusLoading);
}

TEST_F(ServerStatus, ALateFailureNeverOverwritesANewerReport) {
    Program program;
    Shown shown;
    ASSERT_NO_FATAL_FAILURE(StartWithAGoodReport(program, shown));
    const auto [window, label, button] = shown;
    // A check that the service keeps waiting until the program gives up on it (15 s)...
    ASSERT_NO_FATAL_FAILURE(StartASlowCheck(shown));
    Sleep(1000);  // its request is with the service
    // ...while the service has recovered and the user looks again.
    ASSERT_TRUE(SetScenario(L"operational"));
    ASSERT_NO_FATAL_FAILURE(ReselectGameTab(window));
    ASSERT_TRUE(WaitFor([&] { return TextOf(label) == StatusLine(L"В норме") && IsEnabled(button); }, 40s))
        << "status line: " << TextOf(label);
    // The slow check's failure has had its time to arrive: the newer report stands.
    EXPECT_FALSE(WaitFor([&] { return TextOf(label) != StatusLine(L"В норме") || !IsEnabled(button); }, 20s))
        << "status line: " << TextOf(label) << "; button " << (IsEnabled(button) ? "enabled" : "disabled");
    EXPECT_TRUE(program.Dialogs().empty());
}

TEST_F(ServerStatus, AutoRunLaunchesOnceWhenTheFirstReportIsGood) {
    const struct {
        const wchar_t* arguments;
        const wchar_t* scenario;
        const wchar_t* status;
        bool launches;
    } cases[] = {
        {L"-AutoRun", L"operational", L"В норме", true},
        {L"-aUTOrUN", L"partial_outage", L"Частичное отключение", true},
        {L"-autorun", L"down", kStatusError, false},
        {L"-Silent -AutoRun", L"operational", L"В норме", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arguments << " with " << c.scenario);
        Reset();
        ASSERT_TRUE(SetScenario(c.scenario));
        Program program(c.arguments);
        // A launch hides the window as soon as it has been shown; find it shown or not, once
        // its Game tab has its controls.
        HWND window = nullptr, button = nullptr, label = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            window = program.MainWindow();
            button = RunGameButton(window);
            label = ServerStatusLabel(window);
            return button && label;
        }));
        if (!c.launches) {
            ASSERT_TRUE(WaitFor([&] { return TextOf(label) == StatusLine(c.status); })) << "status line: " << TextOf(label);
            EXPECT_FALSE(WaitFor(
                [&] {
                    return FileExists(kSteamLog) || !GameProcesses().empty() || !IsShown(window) ||
                           TextOf(button) != kCaptionIdle;
                },
                1500ms))
                << "caption: " << TextOf(button);
            continue;
        }
        EXPECT_TRUE(WaitFor([&] { return TextOf(button) == kCaptionRunning; })) << "caption: " << TextOf(button);
        EXPECT_FALSE(IsShown(window));
        EXPECT_EQ(TextOf(label), StatusLine(c.status));

        // Back from the tray, the window checks again; a good report then presses nothing,
        // neither a second launch nor a stop.
        const bool wasOperational = std::wstring(c.scenario) == L"operational";
        ASSERT_TRUE(SetScenario(wasOperational ? L"partial_outage" : L"operational"));
        ClickTrayIcon(window);
        ASSERT_TRUE(WaitFor([&] {
            return IsShown(window) && TextOf(label) == StatusLine(wasOperational ? L"Частичное отключение" : L"В норме");
        })) << "status line: " << TextOf(label);
        EXPECT_FALSE(WaitFor([&] { return GameProcesses().size() != 1 || TextOf(button) != kCaptionRunning; }, 1500ms))
            << "caption: " << TextOf(button);
        EXPECT_EQ(LinesWith(kSteamLog, kSteamGameLink), 1);
    }
}

TEST_F(ServerStatus, AutoRunLeavesAGameThatAlreadyRunsAlone) {
    ASSERT_TRUE(SetScenario(L"operational"));
    ASSERT_TRUE(StartGameDirectly(L"--lifetime-ms 60000"));
    ASSERT_TRUE(WaitFor([] { return GameProcesses().size() == 1; }));
    const DWORD game = GameProcesses().front();
    Program program(L"-AutoRun");
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    HWND label = ServerStatusLabel(window);
    ASSERT_TRUE(WaitFor([&] { return TextOf(label) == StatusLine(L"В норме"); })) << "status line: " << TextOf(label);
    EXPECT_FALSE(WaitFor([&] { const auto now = GameProcesses(); return now.size() != 1 || now.front() != game; }, 3s))
        << "the automatic press stopped the game";
    EXPECT_FALSE(FileExists(kSteamLog)) << "a second game was asked of Steam";
}

TEST_F(ServerStatus, ClickOnTheStatusLineOpensTheStatusPage) {
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ClickLabel(ServerStatusLabel(window));
    EXPECT_TRUE(WaitFor([] { return !LogLines(kBrowserLog).empty(); })) << "the browser got nothing";
    EXPECT_EQ(LogLines(kBrowserLog), std::vector<std::wstring>{L"https://status.bethesda.net/ru/status"});
}

}  // namespace
}  // namespace e2e
