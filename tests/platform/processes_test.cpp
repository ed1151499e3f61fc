#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "platform/paths.h"
#include "platform/processes.h"
#include "test_support.h"

namespace ravenlock {
namespace {

using namespace testing_support;
using namespace std::chrono_literals;

// Every stand-in gets its own executable name, so that no test sees another's process.
class ProcessesTest : public ::testing::Test {
protected:
    // Copies the stub game into the scratch folder under the given name.
    std::wstring StubNamed(const std::wstring& name) {
        const std::wstring path = dir_.Path() + name;
        EXPECT_TRUE(CopyFileW((BinDir() + L"Fallout76.exe").c_str(), path.c_str(), FALSE));
        return path;
    }
    TempDir dir_;
};

TEST_F(ProcessesTest, FindsProcessesByNameWithAsciiOnlyCaseFolding) {
    ChildProcess game(StubNamed(L"RlGame.exe"), L"--lifetime-ms 60000");
    ChildProcess hedgehog(StubNamed(L"Ёжик.exe"), L"--lifetime-ms 60000");
    ASSERT_TRUE(WaitFor([] { return !ProcessIdsNamed(L"Ёжик.exe").empty(); }));

    const struct {
        std::wstring name;
        bool found;
    } cases[] = {
        {L"RlGame.exe", true},
        {L"rlgame.exe", true},
        {L"RLGAME.EXE", true},
        {L"C:\\Somewhere\\Else\\RlGame.exe", true},  // a full path counts by its file name
        {L"D:/other/rlgame.EXE", true},
        {L"RlGame", false},
        {L"RlGame.exe.exe", false},
        {L"Ёжик.exe", true},
        {L"ЁЖИК.exe", false},  // letters outside ASCII must match in case
        {L"ёжик.EXE", false},
        {L"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ProcessExists(c.name), c.found) << c.name;
}

TEST_F(ProcessesTest, MemoryReadingFollowsTheWorkingSet) {
    ChildProcess game(StubNamed(L"RlMemory.exe"), L"--hold-mb 200 --lifetime-ms 60000");
    uint64_t reading = 0;
    ASSERT_TRUE(WaitFor([&] { return (reading = GetProcessMemoryMB(L"rlmemory.exe")) >= 200; }))
        << "last reading " << reading;
    // The reading is the stub's 200 MiB plus what any process of its kind carries.
    // Read a moment apart, the two may differ by what the process touched in between.
    const uint64_t independent = WorkingSetMiBOf(game.Id());
    EXPECT_LE(reading > independent ? reading - independent : independent - reading, 8u);
    EXPECT_LT(reading, 200u + 64u);

    EXPECT_EQ(GetProcessMemoryMB(L"NoSuchProcess.exe"), 0u);
    EXPECT_FALSE(SetProcessPriority(L"NoSuchProcess.exe", HIGH_PRIORITY_CLASS));
}

TEST_F(ProcessesTest, MemoryIsReadFromAGameThatAllowsOnlyLimitedQueries) {
    ChildProcess game(StubNamed(L"RlGuarded.exe"), L"--hold-mb 100 --lifetime-ms 60000 --limited-access");
    // The stub has locked itself, as anti-cheat software does: asking for full
    // information or for its memory is refused.
    ASSERT_TRUE(WaitFor([&] {
        HANDLE full = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, game.Id());
        if (full) CloseHandle(full);
        return !full && ProcessExists(L"RlGuarded.exe");
    })) << "the stub did not lock itself";
    uint64_t reading = 0;
    EXPECT_TRUE(WaitFor([&] { return (reading = GetProcessMemoryMB(L"RlGuarded.exe")) >= 100; }))
        << "last reading " << reading;
}

TEST_F(ProcessesTest, WithSeveralMatchesTheLastInSnapshotOrderDecides) {
    const std::wstring exe = StubNamed(L"RlTwin.exe");
    ChildProcess small(exe, L"--hold-mb 32 --lifetime-ms 60000");
    ChildProcess large(exe, L"--hold-mb 224 --lifetime-ms 60000");
    ASSERT_TRUE(WaitFor([&] { return WorkingSetMiBOf(large.Id()) >= 224 && WorkingSetMiBOf(small.Id()) >= 32; }));

    const auto ids = ProcessIdsNamed(L"RlTwin.exe");
    ASSERT_EQ(ids.size(), 2u);
    const DWORD last = ids.back();
    const uint64_t reading = GetProcessMemoryMB(L"RlTwin.exe");
    const uint64_t lastHolds = WorkingSetMiBOf(last);
    const uint64_t otherHolds = WorkingSetMiBOf(ids.front());
    EXPECT_LE(reading > lastHolds ? reading - lastHolds : lastHolds - reading, 4u)
        << "reading " << reading << ", last " << lastHolds << ", first " << otherHolds;
    EXPECT_GT(reading > otherHolds ? reading - otherHolds : otherHolds - reading, 100u);
}

TEST_F(ProcessesTest, WatchFollowsTheGameUntilItEndsAndThenFindsTheNextOne) {
    const std::wstring exe = StubNamed(L"RlWatched.exe");
    ProcessWatch watch(L"rlwatched.exe");
    EXPECT_FALSE(watch.Look().runs);
    ProcessWatch::Reading reading;
    {
        ChildProcess first(exe, L"--hold-mb 64 --lifetime-ms 60000");
        ASSERT_TRUE(WaitFor([&] { return (reading = watch.Look()).runs && reading.memoryMB >= 64; }))
            << "last reading " << reading.memoryMB;
        EXPECT_LT(reading.memoryMB, 64u + 64u);
        TerminateProcess(first.Handle(), 0);
        ASSERT_TRUE(first.HasExited(10000));
        // The very next look knows, and reads nothing of the ended process.
        reading = watch.Look();
        EXPECT_FALSE(reading.runs);
        EXPECT_EQ(reading.memoryMB, 0u);
    }
    // A game started again is found and read afresh.
    ChildProcess second(exe, L"--hold-mb 160 --lifetime-ms 60000");
    ASSERT_TRUE(WaitFor([&] { return (reading = watch.Look()).runs && reading.memoryMB >= 160; }))
        << "last reading " << reading.memoryMB;
    const uint64_t independent = WorkingSetMiBOf(second.Id());
    EXPECT_LE(reading.memoryMB > independent ? reading.memoryMB - independent : independent - reading.memoryMB, 8u);
}

TEST_F(ProcessesTest, PriorityChangeReachesTheProcess) {
    ChildProcess game(StubNamed(L"RlPriority.exe"), L"--lifetime-ms 60000");
    ASSERT_TRUE(WaitFor([] { return ProcessExists(L"RlPriority.exe"); }));
    for (const DWORD cls : {HIGH_PRIORITY_CLASS, BELOW_NORMAL_PRIORITY_CLASS, NORMAL_PRIORITY_CLASS}) {
        EXPECT_TRUE(SetProcessPriority(L"rlpriority.exe", cls));
        EXPECT_EQ(GetPriorityClass(game.Handle()), cls);
    }
}

TEST_F(ProcessesTest, ProcessCountIncludesAStartedProcess) {
    const int32_t before = GetProcessCount();
    EXPECT_GT(before, 0);
    ChildProcess game(StubNamed(L"RlCount.exe"), L"--lifetime-ms 60000");
    ASSERT_TRUE(WaitFor([] { return ProcessExists(L"RlCount.exe"); }));
    EXPECT_EQ(GetProcessCount(), before + 1);
}

// Watches process snapshots on a thread for a process with the given name.
class ProcessWatcher {
public:
    explicit ProcessWatcher(std::wstring name)
        : name_(std::move(name)), thread_([this] {
              while (!stop_) {
                  for (DWORD id : ProcessIdsNamed(name_)) (void)id, seen_ = true;
                  std::this_thread::sleep_for(5ms);
              }
          }) {}
    ~ProcessWatcher() { Stop(); }
    bool Seen() const { return seen_; }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }

private:
    std::wstring name_;
    std::atomic<bool> stop_{false}, seen_{false};
    std::thread thread_;
};

TEST_F(ProcessesTest, KillEndsTheProcessThroughTaskkill) {
    ChildProcess game(StubNamed(L"RlVictim.exe"), L"--lifetime-ms 60000");
    ASSERT_TRUE(WaitFor([] { return ProcessExists(L"RlVictim.exe"); }));
    ProcessWatcher watcher(L"taskkill.exe");
    KillProcess(L"RlVictim.exe");
    EXPECT_TRUE(game.HasExited(20000));
    EXPECT_FALSE(ProcessExists(L"RlVictim.exe"));
    EXPECT_TRUE(WaitFor([&] { return watcher.Seen(); }, 5s)) << "taskkill was never seen running";
}

// The folder a program's image was started from, by process id.
std::wstring ImageFolder(DWORD pid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!h) return L"";
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const bool ok = QueryFullProcessImageNameW(h, 0, path, &size);
    CloseHandle(h);
    const std::wstring full = ok ? std::wstring(path, size) : L"";
    return full.substr(0, full.find_last_of(L'\\') + 1);
}

TEST_F(ProcessesTest, KillNeverRunsATaskkillPlantedInTheCurrentFolder) {
    // A folder the user saved a report to holds a "taskkill" of someone else's making.
    const std::wstring planted = StubNamed(L"Taskkill.exe");
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(dir_.Path().c_str()));
    ChildProcess game(StubNamed(L"RlPlantVictim.exe"), L"--lifetime-ms 60000");
    ASSERT_TRUE(WaitFor([] { return ProcessExists(L"RlPlantVictim.exe"); }));
    KillProcess(L"RlPlantVictim.exe");
    const bool ended = game.HasExited(20000);
    SetCurrentDirectoryW(before);
    bool plantedRan = false;
    for (DWORD id : ProcessIdsNamed(L"Taskkill.exe")) {
        if (!SameTextAscii(ImageFolder(id), dir_.Path())) continue;
        plantedRan = true;
        HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (h) TerminateProcess(h, 1), WaitForSingleObject(h, 5000), CloseHandle(h);
    }
    EXPECT_FALSE(plantedRan) << planted;
    EXPECT_TRUE(ended) << "the system's taskkill did not end the game";
}

TEST_F(ProcessesTest, KillOfANameThatIsNotRunningStartsNothing) {
    // A taskkill of an earlier test may still be finishing.
    ASSERT_TRUE(WaitFor([] { return ProcessIdsNamed(L"taskkill.exe").empty(); }));
    ProcessWatcher watcher(L"taskkill.exe");
    KillProcess(L"RlNotRunning.exe");
    std::this_thread::sleep_for(1500ms);  // long enough for a started taskkill to show
    watcher.Stop();
    EXPECT_FALSE(watcher.Seen());
}

TEST(RunProgram, EmptyTargetDoesNothingAndProgramsStart) {
    RunProgram(L"");  // must neither crash nor start anything
    TempDir dir;
    const std::wstring exe = dir.Path() + L"RlShellStart.exe";
    ASSERT_TRUE(CopyFileW((BinDir() + L"Fallout76.exe").c_str(), exe.c_str(), FALSE));
    RunProgramWithParams(exe, L"--lifetime-ms 30000");
    ASSERT_TRUE(WaitFor([] { return ProcessExists(L"RlShellStart.exe"); }));
    KillProcess(L"RlShellStart.exe");
    EXPECT_TRUE(WaitFor([] { return !ProcessExists(L"RlShellStart.exe"); }));
}

}  // namespace
}  // namespace ravenlock
