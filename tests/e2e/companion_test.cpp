// The companion in the tray: the journal of game sessions (recorded from real stub game
// sessions, shown in its own window) and the servers-back watch (its balloon, its silence
// while the window is shown, and the armed launch).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <set>

#include "disk_files.h"
#include "launch_common.h"
#include "remote_controls.h"

namespace e2e {
namespace {

using namespace sandbox;

// A stored session, read as the test sees it: `start|end|peakMB|crash`, UTC ISO 8601.
struct Stored {
    long long seconds = -1;  // end minus start
    int peakMB = -1;
    std::wstring crash;
    std::wstring mods;  // the count and hash fields, "" for a value without them
};

long long SecondsOf(const std::wstring& iso) {
    SYSTEMTIME t{};
    int y, mo, d, h, mi, sec;
    if (std::swscanf(iso.c_str(), L"%4d-%2d-%2dT%2d:%2d:%2dZ", &y, &mo, &d, &h, &mi, &sec) != 6) return -1;
    t.wYear = static_cast<WORD>(y), t.wMonth = static_cast<WORD>(mo), t.wDay = static_cast<WORD>(d);
    t.wHour = static_cast<WORD>(h), t.wMinute = static_cast<WORD>(mi), t.wSecond = static_cast<WORD>(sec);
    FILETIME f{};
    if (!SystemTimeToFileTime(&t, &f)) return -1;
    return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32 | f.dwLowDateTime) /
                                  10000000ULL);
}

std::optional<Stored> StoredSession(int slot) {
    const auto value = ReadString(kSettingsKey, L"Session" + std::to_wstring(slot));
    if (!value) return std::nullopt;
    std::vector<std::wstring> fields;
    size_t from = 0;
    for (size_t bar; (bar = value->find(L'|', from)) != std::wstring::npos; from = bar + 1)
        fields.push_back(value->substr(from, bar - from));
    fields.push_back(value->substr(from));
    if (fields.size() != 4 && fields.size() != 6) return std::nullopt;
    return Stored{SecondsOf(fields[1]) - SecondsOf(fields[0]), std::stoi(fields[2]), fields[3],
                  fields.size() == 6 ? fields[4] + L"|" + fields[5] : L""};
}

// The journal window of that process, shown or not.
HWND JournalWindow(DWORD pid) {
    const auto found = WindowsOf(pid, ravenlock::ids::kJournalWindowClass);
    return found.empty() ? nullptr : found.front();
}

// Balloons the shell shows (tooltip windows in balloon style), of any process.
std::set<HWND> ShownBalloons() {
    std::set<HWND> found;
    EnumWindows(
        [](HWND w, LPARAM out) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(w, name, 64);
            if (_wcsicmp(name, TOOLTIPS_CLASSW) == 0 && IsWindowVisible(w) &&
                (GetWindowLongW(w, GWL_STYLE) & TTS_BALLOON))
                reinterpret_cast<std::set<HWND>*>(out)->insert(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

class Companion : public SandboxTest {
protected:
    // Starts the program once the servers allow a launch.
    static HWND StartReady(const Program& program) {
        HWND window = program.WaitForMainWindow();
        if (window && !WaitFor([&] { return IsEnabled(RunGameButton(window)); })) return nullptr;
        return window;
    }
    // One stub session through the game button, to its end; a dump is written meanwhile
    // when asked.
    static void PlayOneSession(HWND window, int holdMB, int lifetimeMs, const wchar_t* dumpName) {
        SetGameArguments(L"--hold-mb " + std::to_wstring(holdMB) + L" --lifetime-ms " + std::to_wstring(lifetimeMs));
        Click(RunGameButton(window));
        ASSERT_TRUE(WaitFor([&] { return TextOf(RunGameButton(window)) == kCaptionRunning; }))
            << "caption: " << TextOf(RunGameButton(window));
        if (dumpName) {
            ASSERT_TRUE(WriteBytes(std::wstring(kGameFolder) + dumpName, "MDMP"));
        }
        ASSERT_TRUE(WaitFor([&] { return GameProcesses().empty() && TextOf(RunGameButton(window)) != kCaptionRunning; },
                            60s));
        ASSERT_TRUE(WaitFor([&] { return IsShown(window); }));
    }
    // Opens the journal from the real tray menu; nullptr when it does not show.
    static HWND OpenJournal(const Program& program, HWND window) {
        HWND menu = OpenTrayMenu(window);
        if (!menu) return nullptr;
        ChooseFromBottomOfMenu(menu, kTraySessionJournal);
        HWND journal = nullptr;
        return WaitFor([&] { return (journal = JournalWindow(program.Id())) && IsShown(journal); }) ? journal : nullptr;
    }
};

TEST_F(Companion, SessionsAreRecordedWithTheirFiguresAndCrashesAndShownInTheJournal) {
    for (int i = 0; i < 30; ++i) DeleteValue(kSettingsKey, L"Session" + std::to_wstring(i));
    Program program;
    HWND window = StartReady(program);
    ASSERT_NE(window, nullptr);
    ASSERT_NO_FATAL_FAILURE(PlayOneSession(window, 96, 6000, nullptr));
    ASSERT_TRUE(WaitFor([] { return StoredSession(0).has_value(); })) << "no session was recorded";
    const Stored quiet = *StoredSession(0);
    EXPECT_GE(quiet.seconds, 4);
    EXPECT_LE(quiet.seconds, 30);
    EXPECT_GE(quiet.peakMB, 96);
    EXPECT_LE(quiet.peakMB, 96 + 64);
    EXPECT_EQ(quiet.crash, L"");
    EXPECT_EQ(quiet.mods.substr(0, 2), L"0|") << "no mods switched on";

    // The second session runs with two mods switched on.
    ASSERT_TRUE(WriteProfileFile(L"Fallout76Custom.ini",
                                 {L"[Archive]", L"sResourceArchive2List=Hud.ba2, Map.ba2", L"sResourceStartUpArchiveList="}));
    ASSERT_NO_FATAL_FAILURE(PlayOneSession(window, 32, 5000, L"Fallout76_crash_test.dmp"));
    ASSERT_TRUE(WaitFor([] { return StoredSession(1).has_value(); }));
    EXPECT_EQ(StoredSession(0)->crash, L"Fallout76_crash_test.dmp");
    // Its own peak, not the higher one of the run before.
    EXPECT_GE(StoredSession(0)->peakMB, 32);
    EXPECT_LT(StoredSession(0)->peakMB, StoredSession(1)->peakMB) << "the peak of the earlier session";
    EXPECT_EQ(StoredSession(1)->crash, L"") << "the older session moved down";
    EXPECT_EQ(StoredSession(0)->mods.substr(0, 2), L"2|");
    EXPECT_EQ(StoredSession(0)->mods.size(), 2u + 8u) << "the count and an 8-digit hash";

    // The journal, opened from the tray menu.
    HWND journal = OpenJournal(program, window);
    ASSERT_NE(journal, nullptr) << "no journal window";
    EXPECT_EQ(TextOf(journal), L"Журнал игровых сессий");
    HWND list = Control(journal, ravenlock::ids::kJournalList);
    EXPECT_EQ(ListViewColumnCaption(list, 3), L"Моды");
    const auto rows = ListViewTable(list, 5);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][3], L"2, изменены") << "the first session with the new set of mods";
    EXPECT_EQ(rows[1][3], L"0");
    EXPECT_EQ(rows[0][4], L"Fallout76_crash_test.dmp");
    const std::wstring week = TextOf(Control(journal, ravenlock::ids::kJournalWeekLabel));
    EXPECT_EQ(week.rfind(L"За 7 дней: ", 0), 0u) << week.size();
    EXPECT_NE(week.find(L"сессий: 2, сбоев: 1"), std::wstring::npos);
    const std::wstring folder = ScreenshotDir();
    EXPECT_TRUE(folder.empty() || SavePng(CaptureWindow(journal), folder + L"journal.png"));
}

TEST_F(Companion, AValueThatDoesNotParseIsSkippedAndKeptInItsSlot) {
    // Thirty stored sessions, one of them spoilt.
    for (int i = 0; i < 30; ++i) {
        const std::wstring day = (i + 1 < 10 ? L"0" : L"") + std::to_wstring(i + 1);
        const std::wstring value = i == 4 ? L"not a session" : L"2026-11-" + day + L"T10:00:00Z|2026-11-" + day +
                                                                    L"T11:30:00Z|2048|";
        ASSERT_TRUE(WriteString(kSettingsKey, L"Session" + std::to_wstring(i), value));
    }
    Program program;
    HWND window = StartReady(program);
    ASSERT_NE(window, nullptr);
    HWND journal = OpenJournal(program, window);
    ASSERT_NE(journal, nullptr) << "no journal window";
    EXPECT_EQ(ListViewRowCount(Control(journal, ravenlock::ids::kJournalList)), 29);
    PostMessageW(journal, WM_CLOSE, 0, 0);

    // A new session goes first; the oldest of ours drops off, and the value we cannot read
    // (another version's, perhaps) stays where it was, as it was.
    ASSERT_NO_FATAL_FAILURE(PlayOneSession(window, 32, 4000, nullptr));
    ASSERT_TRUE(WaitFor([] { return StoredSession(0) && StoredSession(0)->peakMB < 2048; }));
    int stored = 0;
    for (int i = 0; i < 30; ++i) stored += StoredSession(i).has_value();
    EXPECT_EQ(stored, 29);
    EXPECT_EQ(ReadString(kSettingsKey, L"Session4"), L"not a session");
}

TEST_F(Companion, ASessionRunningAtExitIsKeptAndOneLeftOpenIsClosedAtTheNextStart) {
    for (int i = 0; i < 30; ++i) DeleteValue(kSettingsKey, L"Session" + std::to_wstring(i));
    {
        Program program;
        HWND window = StartReady(program);
        ASSERT_NE(window, nullptr);
        SetGameArguments(L"--hold-mb 64 --lifetime-ms 120000");
        Click(RunGameButton(window));
        ASSERT_TRUE(WaitFor([&] { return TextOf(RunGameButton(window)) == kCaptionRunning; }));
        Sleep(3000);
        HWND menu = OpenTrayMenu(window);
        ASSERT_NE(menu, nullptr);
        ChooseFromBottomOfMenu(menu, kTrayExit);
        ASSERT_TRUE(program.WaitForExit()) << "the program did not end";
    }
    EXPECT_EQ(GameProcesses().size(), 1u) << "the game went with the program";
    EndStartedProcesses();
    ASSERT_TRUE(StoredSession(0)) << "the session running at exit was lost";
    EXPECT_GE(StoredSession(0)->seconds, 2);
    EXPECT_GE(StoredSession(0)->peakMB, 64);
    EXPECT_EQ(ReadString(kSettingsKey, L"SessionOpen").value_or(L""), L"") << "still open after it was closed";

    // A run that ended without a word (a crash, the power) left its session open: the
    // next start closes it as far as that run saw the game.
    ASSERT_TRUE(WriteString(kSettingsKey, L"SessionOpen", L"2026-11-30T20:00:00Z|2026-11-30T21:15:00Z|3100|"));
    Program program;
    HWND window = StartReady(program);
    ASSERT_NE(window, nullptr);
    HWND journal = OpenJournal(program, window);
    ASSERT_NE(journal, nullptr) << "no journal window";
    EXPECT_EQ(ListViewRowCount(Control(journal, ravenlock::ids::kJournalList)), 2);
    ASSERT_TRUE(StoredSession(0) && StoredSession(1));
    EXPECT_EQ(StoredSession(0)->seconds, 4500);
    EXPECT_EQ(StoredSession(0)->peakMB, 3100);
    EXPECT_GE(StoredSession(1)->peakMB, 64) << "the session kept at exit";
    EXPECT_EQ(ReadString(kSettingsKey, L"SessionOpen").value_or(L""), L"");
    PostMessageW(journal, WM_CLOSE, 0, 0);
}

class ServersBack : public SandboxTest {
protected:
    // The watch checks every half second instead of every two minutes.
    ScopedVariable fastWatch_{L"RAVENLOCK_SERVERS_BACK_MS", L"500"};
    static inline const std::wstring kMaintenance = std::wstring(kStatusPrefix) + L"Техническое обслуживание";
    // Starts the program while the servers are under maintenance and waits for that line.
    static HWND StartUnderMaintenance(const Program& program) {
        if (!SetScenario(L"under_maintenance")) return nullptr;
        HWND window = program.WaitForMainWindow();
        if (!window || !WaitFor([&] { return TextOf(ServerStatusLabel(window)) == kMaintenance; })) return nullptr;
        return window;
    }
};

TEST_F(ServersBack, HiddenInTheTrayOneBalloonWhenTheServersReturn) {
    Program program;
    HWND window = StartUnderMaintenance(program);
    ASSERT_NE(window, nullptr) << "no window with the maintenance line";
    HWND label = ServerStatusLabel(window);
    HWND menu = OpenTrayMenu(window);
    ASSERT_NE(menu, nullptr);
    ChooseFromBottomOfMenu(menu, kTrayMinMax);
    ASSERT_TRUE(WaitFor([&] { return !IsShown(window); }));
    const auto before = ShownBalloons();

    ASSERT_TRUE(SetScenario(L"operational"));
    std::set<HWND> seen;
    const auto collect = [&] {
        for (HWND b : ShownBalloons())
            if (!before.count(b)) seen.insert(b);
        return !seen.empty();
    };
    EXPECT_TRUE(WaitFor(collect, 30s)) << "no balloon";
    EXPECT_TRUE(WaitFor([&] { return TextOf(label) == std::wstring(kStatusPrefix) + L"В норме"; }));
    // Checks go on while hidden, but the servers were back only once.
    WaitFor([&] { collect(); return false; }, 4s);
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_FALSE(IsShown(window)) << "the window came back by itself";
}

TEST_F(ServersBack, ShownWindowMakesNoChecksOfItsOwnAndAnArmedLaunchRunsOnce) {
    Program program;
    HWND window = StartUnderMaintenance(program);
    ASSERT_NE(window, nullptr) << "no window with the maintenance line";
    // A paint may ask for a check, as ever; the watch, checking every half second, must not.
    const int before = ServiceRequests(L"/en/api/statuses");
    Sleep(3000);
    EXPECT_LE(ServiceRequests(L"/en/api/statuses") - before, 2) << "the shown window checked by itself";

    // Armed, the watch checks whether shown or not, and the return starts the game once.
    HWND menu = OpenTrayMenu(window);
    ASSERT_NE(menu, nullptr);
    const std::wstring folder = ScreenshotDir();
    EXPECT_TRUE(folder.empty() || SavePng(CaptureWindow(menu), folder + L"tray-menu.png"));
    ChooseFromBottomOfMenu(menu, kTrayArmLaunch);
    SetGameArguments(L"--lifetime-ms 60000");
    Sleep(1500);
    EXPECT_EQ(LinesWith(kSteamLog, kSteamGameLink), 0) << "launched while the servers were down";
    ASSERT_TRUE(SetScenario(L"operational"));
    EXPECT_TRUE(WaitFor([] { return LinesWith(kSteamLog, kSteamGameLink) == 1; }, 30s)) << "the armed launch did not run";
    EXPECT_TRUE(WaitFor([] { return GameProcesses().size() == 1; }));
    EXPECT_FALSE(WaitFor([] { return LinesWith(kSteamLog, kSteamGameLink) > 1; }, 3s)) << "launched twice";
}

TEST_F(ServersBack, AnArmedLaunchLeavesAGameStartedMeanwhileRunningAndDisarms) {
    Program program;
    HWND window = StartUnderMaintenance(program);
    ASSERT_NE(window, nullptr) << "no window with the maintenance line";
    HWND label = ServerStatusLabel(window);
    HWND menu = OpenTrayMenu(window);
    ASSERT_NE(menu, nullptr);
    ChooseFromBottomOfMenu(menu, kTrayArmLaunch);
    // Armed, and then the user starts the game himself while the servers are still down.
    SetGameArguments(L"--lifetime-ms 90000");
    PostCtrlShiftF(window);
    ASSERT_TRUE(WaitFor([] { return GameProcesses().size() == 1; })) << "the hotkey started no game";
    const DWORD game = GameProcesses().front();

    ASSERT_TRUE(SetScenario(L"operational"));
    ASSERT_TRUE(WaitFor([&] { return TextOf(label) == std::wstring(kStatusPrefix) + L"В норме"; }, 30s))
        << "status line: " << TextOf(label);
    EXPECT_FALSE(WaitFor([&] { const auto now = GameProcesses(); return now.size() != 1 || now.front() != game; }, 4s))
        << "the return stopped the running game";
    EXPECT_EQ(LinesWith(kSteamLog, kSteamGameLink), 1);

    // Seen running, the launch was disarmed: the game stopped, the servers down and back
    // again bring a balloon and no launch.
    ASSERT_TRUE(SetScenario(L"under_maintenance"));
    Click(RunGameButton(window));
    ASSERT_TRUE(WaitFor([] { return GameProcesses().empty(); }));
    ASSERT_TRUE(WaitFor([&] { return IsShown(window) && TextOf(label) == kMaintenance; })) << TextOf(label);
    menu = OpenTrayMenu(window);
    ASSERT_NE(menu, nullptr);
    ChooseFromBottomOfMenu(menu, kTrayMinMax);
    ASSERT_TRUE(WaitFor([&] { return !IsShown(window); }));
    ASSERT_TRUE(SetScenario(L"operational"));
    ASSERT_TRUE(WaitFor([&] { return TextOf(label) == std::wstring(kStatusPrefix) + L"В норме"; }, 30s));
    EXPECT_FALSE(WaitFor([] { return !GameProcesses().empty() || LinesWith(kSteamLog, kSteamGameLink) > 1; }, 4s))
        << "the launch was still armed";
}

}  // namespace
}  // namespace e2e
