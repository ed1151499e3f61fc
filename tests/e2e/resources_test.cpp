// What the program writes out of its own resources: the initial Fallout76Custom.ini at
// start-up and the memory tool, run from the tray or on its own.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "disk_files.h"
#include "launch_common.h"
#include "started_processes.h"

namespace e2e {
namespace {

using namespace sandbox;

// The profile folder moved aside for a test and put back afterwards, whatever happens.
class ProfileAway {
public:
    ProfileAway() : folder_(WithoutSlash(ProfileFolder())), away_(folder_ + L".away") {
        moved_ = MoveFileW(folder_.c_str(), away_.c_str()) != 0;
    }
    ~ProfileAway() {
        if (moved_) MoveFileW(away_.c_str(), folder_.c_str());
    }
    ProfileAway(const ProfileAway&) = delete;
    ProfileAway& operator=(const ProfileAway&) = delete;
    bool Moved() const { return moved_; }

private:
    static std::wstring WithoutSlash(std::wstring path) {
        if (!path.empty() && path.back() == L'\\') path.pop_back();
        return path;
    }
    std::wstring folder_, away_;
    bool moved_ = false;
};

using StartUpFiles = SandboxTest;

TEST_F(StartUpFiles, CustomIniIsWrittenOnlyWhereItIsMissingInAnExistingProfile) {
    enum class Before { kMissing, kEmpty, kNoProfileFolder };
    const struct {
        const char* what;
        Before before;
        std::optional<std::string> after;
    } cases[] = {
        {"missing", Before::kMissing, std::string("[General]")},
        {"empty", Before::kEmpty, std::string()},
        {"no profile folder", Before::kNoProfileFolder, std::nullopt},
    };
    const std::wstring custom = ProfileFolder() + L"Fallout76Custom.ini";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        SetFileAttributesW(custom.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(custom.c_str());
        ASSERT_FALSE(FileExists(custom));
        if (c.before == Before::kEmpty) {
            HANDLE f = CreateFileW(custom.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(f, INVALID_HANDLE_VALUE);
            CloseHandle(f);
        }
        std::optional<ProfileAway> away;
        if (c.before == Before::kNoProfileFolder) {
            away.emplace();
            ASSERT_TRUE(away->Moved()) << "could not move the profile folder aside";
        }

        Program program;
        HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(Sync(window));
        EXPECT_EQ(FileBytes(custom), c.after);
        if (c.before == Before::kNoProfileFolder) {
            EXPECT_EQ(GetFileAttributesW(ProfileFolder().c_str()), INVALID_FILE_ATTRIBUTES) << "a profile folder appeared";
        }
        program.Kill();
    }
}

class MemoryTool : public SandboxTest {
protected:
    void SetUp() override {
        SandboxTest::SetUp();
        const std::wstring copy = TempToolCopy();
        DeleteFileW(copy.c_str());
        RemoveDirectoryW(copy.substr(0, copy.find_last_of(L'\\')).c_str());
    }
};

TEST_F(MemoryTool, TrayItemsRunTheEmbeddedToolWithTheirSwitchAndRemoveTheCopy) {
    const ravenlock::testing::StartsOf tool(L"RAMMap.exe");
    const auto builtTool = FileBytes(BinDir() + L"RAMMap.exe");
    ASSERT_TRUE(builtTool && !builtTool->empty());
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);

    const struct {
        const char* item;
        int id;
        const wchar_t* toolSwitch;
    } cases[] = {
        {"Очистить RAM-кэш", ids::kFreeRAMN, L"-Et"},
        {"Очистить Рабочие наборы", ids::kFreeWorkingSetsN, L"-Ew"},
    };
    size_t runs = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        PostCommand(window, c.id);
        // The copy lives at least until the first tick of the removal timer, a second on.
        std::optional<std::string> copy;
        EXPECT_TRUE(WaitFor([&] { return (copy = FileBytes(TempToolCopy())) && copy->size() == builtTool->size(); }))
            << "no temporary copy of the tool";
        EXPECT_TRUE(copy == builtTool) << "the copy is not the tool that was built";
        ASSERT_TRUE(WaitFor([&] { return tool.Arguments().size() == runs + 1; })) << "the tool did not start; " << tool.Text();
        ++runs;
        EXPECT_EQ(tool.Arguments().back(), c.toolSwitch);
        EXPECT_TRUE(WaitFor([] { return ProcessesNamed(L"RAMMap.exe").empty() && !FileExists(TempToolCopy()); }))
            << "the temporary copy stays after the tool has ended";
    }
}

TEST_F(MemoryTool, LeftoversOfEarlierRunsGoAtStartUpAndNothingElseDoes) {
    const std::wstring temp = TempFolder();
    const struct {
        const char* what;
        std::wstring folder;
        std::vector<const wchar_t*> files;
        bool goes;
    } cases[] = {
        {"a copy left by a run that ended while the tool ran", L"Ravenlock-0123456789abcdef0123456789abcdef",
         {L"RAMMap.exe"}, true},
        {"an empty folder whose removal failed", L"Ravenlock-ffffffffffffffffffffffffffffffff", {}, true},
        {"the copy with a file beside it", L"Ravenlock-aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", {L"RAMMap.exe", L"notes.txt"},
         false},
        {"another name shape", L"Ravenlock-keep", {L"RAMMap.exe"}, false},
        {"capital hex digits", L"Ravenlock-ABCDEF0123456789ABCDEF0123456789", {L"RAMMap.exe"}, false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(CreateDirectoryW((temp + c.folder).c_str(), nullptr)) << c.what;
        for (const wchar_t* file : c.files) ASSERT_TRUE(WriteBytes(temp + c.folder + L"\\" + file, "MZ")) << c.what;
    }
    Program program;
    ASSERT_NE(program.WaitForMainWindow(), nullptr);
    EXPECT_TRUE(WaitFor([&] { return GetFileAttributesW((temp + cases[0].folder).c_str()) == INVALID_FILE_ATTRIBUTES; }))
        << "the leftover stays";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(GetFileAttributesW((temp + c.folder).c_str()) == INVALID_FILE_ATTRIBUTES, c.goes);
        if (!c.goes) {
            for (const wchar_t* file : c.files) {
                EXPECT_TRUE(FileExists(temp + c.folder + L"\\" + file)) << "lost " << testing::PrintToString(std::wstring(file));
            }
        }
    }
}

TEST_F(MemoryTool, WithoutSwitchesTheToolOpensItsWindow) {
    const std::wstring tool = BinDir() + L"RAMMap.exe";
    // Through the shell, as the tool asks for administrator rights.
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof(run);
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.lpVerb = L"open";
    run.lpFile = tool.c_str();
    run.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&run) && run.hProcess);
    const DWORD pid = GetProcessId(run.hProcess);
    HWND window = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        window = FindWindowW(nullptr, L"RAMMap");
        return window && ProcessOf(window) == pid && IsShown(window);
    })) << "no window titled RAMMap";
    if (window && ProcessOf(window) == pid) {
        const Picture shot = CaptureWindow(window);
        EXPECT_GT(shot.DistinctColours(), 1u) << "the window is blank";
        const std::wstring folder = ScreenshotDir();
        EXPECT_FALSE(folder.empty()) << "RAVENLOCK_SCREENSHOT_DIR is not set";
        EXPECT_TRUE(folder.empty() || SavePng(shot, folder + L"memtool.png")) << "could not write the screenshot";
        PostClose(window);
        EXPECT_EQ(WaitForSingleObject(run.hProcess, static_cast<DWORD>(kPatience.count())), WAIT_OBJECT_0)
            << "the tool stays after its window was closed";
    }
    CloseHandle(run.hProcess);
}

}  // namespace
}  // namespace e2e
