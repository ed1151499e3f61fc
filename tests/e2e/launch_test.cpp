// Launching the game as the user does it (the game button, CTRL+SHIFT+F, the tray's
// forced start): what the program prepares for the game, how it follows the game while
// it runs, and what it shows once the game has ended or was stopped.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "launch_common.h"
#include "started_processes.h"

namespace e2e {
namespace {

using namespace sandbox;
using Clock = std::chrono::steady_clock;

class Launch : public SandboxTest {
protected:
    // The program on screen, with the servers reported up so that the game button is enabled.
    void StartReady(const Program& program, HWND& window) {
        window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitFor([&] { return IsEnabled(RunGameButton(window)); }))
            << "the game button stays disabled; status line: " << TextOf(ServerStatusLabel(window));
    }

    static std::optional<int> RamReading(HWND window) { return NumberAfter(TextOf(RamLabel(window)), kRamPrefix); }
    static std::optional<int> PeakReading(HWND window) { return NumberAfter(TextOf(RamLabel(window)), kPeakPrefix); }

    // Waits until the monitor has seen the game and reads at least the given amount.
    static bool WaitForRunningGame(HWND window, int atLeastMiB, std::optional<int>& reading) {
        return WaitFor([&] {
            return TextOf(RunGameButton(window)) == kCaptionRunning && (reading = RamReading(window)) &&
                   *reading >= atLeastMiB;
        });
    }
};

// What a working set holds beyond what the stub game touches: Wine's own share of any process.
constexpr int kProcessOverheadMiB = 64;

TEST_F(Launch, ThroughSteamHidesTheWindowUntilTheGameHasEnded) {
    constexpr int kHeld = 96;
    SetGameArguments(L"--hold-mb 96 --lifetime-ms 6000");
    const ravenlock::testing::StartsOf tool(L"RAMMap.exe");
    Program program;
    HWND window = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartReady(program, window));
    HWND button = RunGameButton(window);
    EXPECT_EQ(TextOf(button), kCaptionIdle);
    // The start-up leaves the game's files read-only already; writable files show that
    // the launch guards them itself.
    MakeGameIniFilesWritable();
    ASSERT_FALSE(GameIniFilesReadOnly());

    Click(button);
    EXPECT_TRUE(WaitFor([&] { return TextOf(button) == kCaptionStarting; })) << "caption: " << TextOf(button);
    EXPECT_TRUE(WaitFor([&] { return !IsShown(window); })) << "the window stays on screen";
    EXPECT_TRUE(GameIniFilesReadOnly());
    EXPECT_TRUE(WaitFor([] { return LinesWith(kSteamLog, kSteamGameLink) == 1; })) << "Steam was not asked for the game";

    std::optional<int> reading;
    ASSERT_TRUE(WaitForRunningGame(window, kHeld, reading))
        << "caption: " << TextOf(button) << "; memory line: " << TextOf(RamLabel(window));
    EXPECT_LE(*reading, kHeld + kProcessOverheadMiB);
    EXPECT_FALSE(IsShown(window)) << "the window came back while the game runs";

    // The stub game ends by itself.
    EXPECT_TRUE(WaitFor([&] { return TextOf(button) == kCaptionIdle; })) << "caption: " << TextOf(button);
    EXPECT_TRUE(GameProcesses().empty());
    EXPECT_TRUE(WaitFor([&] { return IsShown(window); })) << "the window did not come back";
    const auto peak = PeakReading(window);
    ASSERT_TRUE(peak) << "memory line: " << TextOf(RamLabel(window));
    EXPECT_GE(*peak, *reading);
    EXPECT_LE(*peak, kHeld + kProcessOverheadMiB);
    EXPECT_EQ(LinesWith(kSteamLog, kSteamGameLink), 1);
    EXPECT_TRUE(tool.Arguments().empty()) << "the memory tool ran although its option is off";
}

TEST_F(Launch, StopWhileTheGameRunsAndASecondRunKeepsTheHigherPeak) {
    SetGameArguments(L"--hold-mb 160");
    Program program;
    HWND window = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartReady(program, window));
    HWND button = RunGameButton(window);
    Click(button);
    std::optional<int> first;
    ASSERT_TRUE(WaitForRunningGame(window, 160, first)) << "memory line: " << TextOf(RamLabel(window));

    // Back from the tray, the window checks the servers again and enables the button with
    // the report; a report other than the one at start-up tells that check apart.
    ASSERT_TRUE(SetScenario(L"partial_outage"));
    ClickTrayIcon(window);
    ASSERT_TRUE(WaitFor([&] {
        return IsShown(window) && IsEnabled(button) &&
               TextOf(ServerStatusLabel(window)) == std::wstring(kStatusPrefix) + L"Частичное отключение";
    })) << "status line: " << TextOf(ServerStatusLabel(window));
    Click(button);
    EXPECT_TRUE(WaitFor([] { return GameProcesses().empty(); })) << "the game still runs";
    EXPECT_EQ(TextOf(button), kCaptionStopped);
    EXPECT_TRUE(IsShown(window));
    const auto firstPeak = PeakReading(window);
    ASSERT_TRUE(firstPeak) << "memory line: " << TextOf(RamLabel(window));
    EXPECT_GE(*firstPeak, *first);

    // A smaller second run, launched and stopped with the hotkey.
    SetGameArguments(L"--hold-mb 16");
    PostCtrlShiftF(window);
    std::optional<int> second;
    ASSERT_TRUE(WaitForRunningGame(window, 16, second)) << "memory line: " << TextOf(RamLabel(window));
    EXPECT_LT(*second, *firstPeak);
    PostCtrlShiftF(window);
    EXPECT_TRUE(WaitFor([] { return GameProcesses().empty(); })) << "the game still runs";
    EXPECT_TRUE(WaitFor([&] { return IsShown(window) && TextOf(button) == kCaptionStopped; }))
        << "caption: " << TextOf(button);
    EXPECT_EQ(PeakReading(window), firstPeak) << "memory line: " << TextOf(RamLabel(window));
    EXPECT_EQ(LinesWith(kSteamLog, kSteamGameLink), 2);
}

TEST_F(Launch, HotKeyLaunchesAndStopsWhileTheButtonIsDisabled) {
    ASSERT_TRUE(SetScenario(L"down"));
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    HWND button = RunGameButton(window);
    ASSERT_TRUE(WaitFor([&] { return TextOf(ServerStatusLabel(window)) == std::wstring(kStatusPrefix) + kStatusError; }))
        << "status line: " << TextOf(ServerStatusLabel(window));
    EXPECT_FALSE(IsEnabled(button));

    // Hotkeys with other modifiers or another key belong to someone else.
    const struct {
        UINT modifiers;
        UINT key;
    } others[] = {
        {MOD_CONTROL, 'F'},
        {MOD_SHIFT, 'F'},
        {MOD_CONTROL | MOD_SHIFT | MOD_ALT, 'F'},
        {MOD_CONTROL | MOD_SHIFT, 'G'},
    };
    for (const auto& other : others) PostHotKey(window, 1, other.modifiers, other.key);
    EXPECT_FALSE(WaitFor([&] { return TextOf(button) != kCaptionIdle || !IsShown(window) || FileExists(kSteamLog); },
                         1500ms))
        << "another hotkey acted; caption: " << TextOf(button);

    // The hotkey is there for a hidden window above all.
    PostClose(window);
    ASSERT_TRUE(WaitFor([&] { return !IsShown(window); }));
    PostCtrlShiftF(window);
    EXPECT_TRUE(WaitFor([&] { return TextOf(button) == kCaptionRunning; })) << "caption: " << TextOf(button);
    EXPECT_FALSE(IsShown(window));
    EXPECT_EQ(LinesWith(kSteamLog, kSteamGameLink), 1);
    ASSERT_EQ(GameProcesses().size(), 1u);

    PostCtrlShiftF(window);
    EXPECT_TRUE(WaitFor([] { return GameProcesses().empty(); })) << "the game still runs";
    EXPECT_TRUE(WaitFor([&] { return IsShown(window) && TextOf(button) == kCaptionStopped; }))
        << "caption: " << TextOf(button);
    EXPECT_FALSE(IsEnabled(button)) << "the servers are still down";
}

TEST_F(Launch, ClickStopsAGameStartedElsewhereWithoutFollowingIt) {
    Program program;
    HWND window = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartReady(program, window));
    HWND button = RunGameButton(window);
    const std::wstring designLine = TextOf(RamLabel(window));
    ASSERT_EQ(NumberAfter(designLine, kRamPrefix), 0) << designLine;

    ASSERT_TRUE(StartGameDirectly(L"--hold-mb 32"));
    ASSERT_TRUE(WaitFor([] { return GameProcesses().size() == 1; }));

    Click(button);
    EXPECT_TRUE(WaitFor([] { return GameProcesses().empty(); })) << "the game still runs";
    EXPECT_EQ(TextOf(button), kCaptionStopped);
    EXPECT_TRUE(IsShown(window));
    // Never measured, so there is no peak to show.
    EXPECT_EQ(TextOf(RamLabel(window)), designLine);
    EXPECT_FALSE(FileExists(kSteamLog));
}

TEST_F(Launch, OptionStoredAsTextStopsTheLaunchWithAnErrorBox) {
    const ravenlock::testing::StartsOf tool(L"RAMMap.exe");
    ASSERT_TRUE(WriteString(kSettingsKey, L"FreeRAMCacheBeforeStartingGame", L"1"));
    Program program;
    HWND window = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartReady(program, window));
    HWND button = RunGameButton(window);

    Click(button);
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(TextOf(box), ids::kMessageBoxTitle);
    EXPECT_NE(MessageBoxText(box).find(L"FreeRAMCacheBeforeStartingGame"), std::wstring::npos) << MessageBoxText(box);
    Answer(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return program.Dialogs().empty(); }));

    // The steps before the faulty value were done: Steam has the game going.
    EXPECT_TRUE(WaitFor([] { return GameProcesses().size() == 1; })) << "no game";
    // The steps after it were not: no memory tool, the window stays and nothing follows
    // the game (a monitor tick would have shown it running by now).
    EXPECT_FALSE(WaitFor([&] { return TextOf(button) != kCaptionStarting || !IsShown(window); }, 2500ms))
        << "caption: " << TextOf(button);
    EXPECT_TRUE(tool.Arguments().empty());
    EXPECT_TRUE(program.IsRunning());
}

TEST_F(Launch, SettingsOptionsEmptyTheStandbyListFirstAndRaiseTheGame) {
    const ravenlock::testing::StartsOf tool(L"RAMMap.exe");
    ASSERT_TRUE(WriteDword(kSettingsKey, L"FreeRAMCacheBeforeStartingGame", 1));
    Program program;
    HWND window = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartReady(program, window));

    // The option is read at every launch, so one program run serves every case. The
    // two seconds the launch gives the memory tool also give Steam the time to start the
    // game, which the priority change needs.
    const struct {
        const char* what;
        std::optional<DWORD> highPriority;
        DWORD priority;
    } cases[] = {
        {"priority option missing", std::nullopt, NORMAL_PRIORITY_CLASS},
        {"priority option 0", 0u, NORMAL_PRIORITY_CLASS},
        {"priority option 1", 1u, HIGH_PRIORITY_CLASS},
    };
    int launches = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.highPriority) {
            ASSERT_TRUE(WriteDword(kSettingsKey, L"GameProcessHighPriority", *c.highPriority));
        } else {
            DeleteValue(kSettingsKey, L"GameProcessHighPriority");
        }
        const auto pressed = Clock::now();
        PostCtrlShiftF(window);
        ASSERT_TRUE(WaitFor([&] { return !IsShown(window); })) << "the window stays on screen";
        const auto handled = Clock::now() - pressed;
        ++launches;
        EXPECT_EQ(std::ranges::count(tool.Arguments(), L"-Et"), launches) << "the memory tool had not started before the window hid";
        EXPECT_GE(handled, 1500ms) << "the launch did not wait for the memory tool";
        const auto games = GameProcesses();
        ASSERT_EQ(games.size(), 1u) << "no game yet when the launch ended (Steam took more than 2 s)";
        EXPECT_EQ(PriorityClassOf(games[0]), c.priority);

        PostCtrlShiftF(window);
        ASSERT_TRUE(WaitFor([&] { return GameProcesses().empty() && IsShown(window); })) << "the game was not stopped";
    }
    EXPECT_EQ(tool.Arguments(), std::vector<std::wstring>(std::size(cases), L"-Et"));
    EXPECT_EQ(LinesWith(kSteamLog, kSteamGameLink), launches);
    EXPECT_TRUE(WaitFor([] { return ProcessesNamed(L"RAMMap.exe").empty() && !FileExists(TempToolCopy()); }))
        << "the temporary copy of the memory tool stays";
}

TEST_F(Launch, ForcedStartRunsTheGameItselfAndLeavesTheLaunchStateAlone) {
    Program program;
    HWND window = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartReady(program, window));
    HWND button = RunGameButton(window);
    MakeGameIniFilesWritable();

    PostCommand(window, ids::kRunFallout76ForceN);
    ASSERT_TRUE(WaitFor([] { return GameProcesses().size() == 1; })) << "no game started";
    EXPECT_EQ(_wcsicmp(ImagePathOf(GameProcesses().front()).c_str(), kGameExe), 0)
        << ImagePathOf(GameProcesses().front());
    EXPECT_TRUE(GameIniFilesReadOnly());
    // Longer than a monitor tick: a followed game would change the caption by then.
    EXPECT_FALSE(WaitFor(
        [&] {
            return FileExists(kSteamLog) || !ProcessesNamed(L"Steam.exe").empty() || TextOf(button) != kCaptionIdle ||
                   !IsShown(window);
        },
        2500ms))
        << "caption: " << TextOf(button) << "; Steam log lines: " << LogLines(kSteamLog).size();
}

TEST_F(Launch, StartingStateWaitsForAGameThatNeverAppears) {
    std::ofstream(kNoGameFile).put('\n');
    Program program;
    HWND window = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartReady(program, window));
    HWND button = RunGameButton(window);
    Click(button);
    ASSERT_TRUE(WaitFor([&] { return LinesWith(kSteamLog, kSteamGameLink) == 1 && !IsShown(window); }));

    // Three monitor ticks without the game.
    EXPECT_FALSE(WaitFor(
        [&] {
            return TextOf(button) != kCaptionStarting || IsShown(window) || !program.Dialogs().empty() ||
                   !GameProcesses().empty();
        },
        6500ms))
        << "caption: " << TextOf(button) << "; dialogs: " << program.Dialogs().size();

    // Still starting, so the hotkey runs the launch once more.
    PostCtrlShiftF(window);
    EXPECT_TRUE(WaitFor([] { return LinesWith(kSteamLog, kSteamGameLink) == 2; }));
    EXPECT_EQ(TextOf(button), kCaptionStarting);
    EXPECT_TRUE(Sync(window));
    EXPECT_TRUE(program.Dialogs().empty());
}

}  // namespace
}  // namespace e2e
