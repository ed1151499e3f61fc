// What the program carries inside itself, read from the built executable, and the
// routines that write it out and run the memory tool from its temporary copy.
#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/app_error.h"
#include "platform/embedded.h"
#include "platform/paths.h"
#include "platform/processes.h"
#include "platform/tools.h"
#include "started_processes.h"
#include "test_support.h"

namespace ravenlock {
namespace {

using namespace testing_support;
using namespace std::chrono_literals;

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

// The program's executable, loaded as data so that its resources can be read.
class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW((BinDir() + L"Fallout76Ravenlock.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }
    std::string Data(const wchar_t* name, const wchar_t* type = MAKEINTRESOURCEW(10)) const {
        HRSRC res = FindResourceW(module_, name, type);
        if (!res) return {};
        const auto* p = static_cast<const char*>(LockResource(LoadResource(module_, res)));
        return std::string(p, SizeofResource(module_, res));
    }
    HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, StockProfilesAreByteExact) {
    const struct {
        const wchar_t* name;
        size_t size;
        const char* grass;
        const char* water;
    } cases[] = {
        {L"PREFSLOW", 1143, "fGrassStartFadeDistance = 3500", "bUseWaterHiRes=0"},
        {L"PrefsMedium", 1151, "fGrassStartFadeDistance = 4500", "bUseWaterHiRes=0"},  // names match in any case
        {L"PREFSHIGH", 1157, "fGrassStartFadeDistance = 5500", "bUseWaterHiRes=1"},
        {L"PREFSULTRA", 1162, "fGrassStartFadeDistance = 7000", "bUseWaterHiRes=1"},
    };
    for (const auto& c : cases) {
        const std::string text = Data(c.name);
        EXPECT_EQ(text.size(), c.size) << c.name;
        const auto lines = SplitCrLf(text);
        ASSERT_EQ(lines.size(), 57u) << c.name;
        EXPECT_EQ(lines.front(), "[Display]");
        EXPECT_EQ(lines.back(), c.water) << c.name;  // and no line break after it
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.grass), lines.end()) << c.name;
        // The line between TerrainManager and ImageSpace holds two tabs; the other separators are empty.
        const auto imageSpace = std::find(lines.begin(), lines.end(), "[ImageSpace]");
        ASSERT_NE(imageSpace, lines.end());
        EXPECT_EQ(*(imageSpace - 1), "\t\t") << c.name;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), 7) << c.name;
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find('=') != std::string::npos; }), 40)
            << c.name;
    }
}

TEST_F(ProgramResources, InitialCustomIniToolAndSounds) {
    EXPECT_EQ(Data(L"FALLOUT76CUSTOMINI"), "[General]");
    const std::string tool = Data(L"RAMMAP");
    ASSERT_GT(tool.size(), 1024u);
    EXPECT_EQ(tool.substr(0, 2), "MZ");

    const struct {
        const wchar_t* name;
        uint32_t rate;
        double seconds;
    } sounds[] = {{L"SND4", 32000, 15.2}, {L"SND5", 32000, 14.5}, {L"SNDCHANGEPRIORITY", 22050, 0.4}};
    for (const auto& s : sounds) {
        const std::string wav = Data(s.name, L"WAVE");
        ASSERT_GT(wav.size(), 44u) << s.name;
        EXPECT_EQ(wav.substr(0, 4), "RIFF");
        EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
        uint16_t format, channels, bits;
        uint32_t rate;
        std::memcpy(&format, wav.data() + 20, 2);
        std::memcpy(&channels, wav.data() + 22, 2);
        std::memcpy(&rate, wav.data() + 24, 4);
        std::memcpy(&bits, wav.data() + 34, 2);
        EXPECT_EQ(format, 1) << s.name;  // PCM
        EXPECT_EQ(channels, 2) << s.name;
        EXPECT_EQ(rate, s.rate) << s.name;
        EXPECT_EQ(bits, 16) << s.name;
        const double seconds = static_cast<double>(wav.size() - 44) / (rate * 4);
        EXPECT_NEAR(seconds, s.seconds, 0.3) << s.name;
    }
}

TEST_F(ProgramResources, ExtractWritesBytesAndSkipsAMissingFolderSilently) {
    TempDir dir;
    EXPECT_TRUE(ExtractResourceToFile(L"FALLOUT76CUSTOMINI", dir.Path() + L"custom.ini", module_));
    EXPECT_EQ(ReadBytes(dir.Path() + L"custom.ini"), "[General]");
    const std::wstring nowhere = dir.Path() + L"missing\\custom.ini";
    EXPECT_FALSE(ExtractResourceToFile(L"FALLOUT76CUSTOMINI", nowhere, module_));
    EXPECT_EQ(GetFileAttributesW(nowhere.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_THROW(ExtractResourceToFile(L"NOSUCHRESOURCE", dir.Path() + L"x", module_), AppError);
}

// How the tool was started is read from the started process itself.
class MemoryToolRun : public ProgramResources {
protected:
    void SetUp() override {
        ProgramResources::SetUp();
        KillLeftovers();
    }
    void TearDown() override {
        KillLeftovers();
        DeleteFileW(TempToolPath().c_str());
        ProgramResources::TearDown();
    }
    static void KillLeftovers() {
        for (DWORD id : ProcessIdsNamed(L"RAMMap.exe")) {
            HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
            if (h) TerminateProcess(h, 1), WaitForSingleObject(h, 5000), CloseHandle(h);
        }
    }
    std::vector<std::wstring> Runs() const { return starts_.Arguments(); }
    testing::StartsOf starts_{L"RAMMap.exe"};
};

TEST_F(MemoryToolRun, SwitchRunStartsTheCopyWithItsSwitchAndTheCopyIsRemovedAfterwards) {
    RunRamMapTool(L"RAMMap", L"-Et", false, module_);
    ASSERT_TRUE(WaitFor([&] { return !Runs().empty(); }));
    EXPECT_EQ(Runs(), std::vector<std::wstring>{L"-Et"}) << starts_.Text();
    const std::wstring copy = TempToolPath();
    EXPECT_EQ(ReadBytes(copy), Data(L"RAMMAP"));
    ASSERT_TRUE(WaitFor([] { return !ProcessExists(L"RAMMap.exe"); }));
    EXPECT_TRUE(RemoveTempToolCopy());
    EXPECT_EQ(GetFileAttributesW(copy.c_str()), INVALID_FILE_ATTRIBUTES);
    // Its folder goes with it, and the next copy gets a folder of another name.
    const std::wstring folder = FolderPart(copy);
    EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES) << folder;
    EXPECT_NE(FolderPart(TempToolPath()), folder);
}

TEST_F(MemoryToolRun, TheCopyLivesInAPrivateFolderOfARandomName) {
    RunRamMapTool(L"RAMMap", L"-Et", false, module_);
    ASSERT_TRUE(WaitFor([&] { return !Runs().empty(); }));
    EXPECT_EQ(Runs(), std::vector<std::wstring>{L"-Et"}) << starts_.Text();
    const std::wstring folder = FolderPart(TempToolPath());
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    // Not the temporary folder itself, where anyone may put a file or a DLL beside it.
    EXPECT_FALSE(SameTextAscii(folder, temp)) << folder;
    EXPECT_NE(folder.find(L"\\Ravenlock-"), std::wstring::npos) << folder;
    // A DACL that lets in our user and the system, nobody else. (Wine does not keep the
    // "protected" flag of a folder's DACL; Windows does.)
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                    nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_NE(dacl, nullptr);
    EXPECT_EQ(dacl->AceCount, 2);
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    unsigned char user[256] = {};
    DWORD size = 0;
    ASSERT_TRUE(GetTokenInformation(token, TokenUser, user, sizeof(user), &size));
    CloseHandle(token);
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        ASSERT_TRUE(GetAce(dacl, i, &ace));
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        EXPECT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
        PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        EXPECT_TRUE(EqualSid(sid, reinterpret_cast<TOKEN_USER*>(user)->User.Sid) ||
                    IsWellKnownSid(sid, WinLocalSystemSid))
            << "an ACE for someone else";
    }
    LocalFree(descriptor);
    ASSERT_TRUE(WaitFor([] { return !ProcessExists(L"RAMMap.exe"); }));
    EXPECT_TRUE(RemoveTempToolCopy());
}

TEST_F(MemoryToolRun, CopyStaysWhileTheToolRunsOrIsLocked) {
    RunRamMapTool(L"RAMMap", L"-Et", true, module_);  // interactive: no switch, the window stays up
    ASSERT_TRUE(WaitFor([&] { return !Runs().empty(); }));
    EXPECT_EQ(Runs(), std::vector<std::wstring>{L""}) << starts_.Text();
    ASSERT_TRUE(WaitFor([] { return ProcessExists(L"RAMMap.exe"); }));
    EXPECT_FALSE(RemoveTempToolCopy());
    EXPECT_NE(GetFileAttributesW(TempToolPath().c_str()), INVALID_FILE_ATTRIBUTES);
    KillLeftovers();

    // Held open by someone else: the deletion fails now and succeeds on a later tick.
    HANDLE lock = CreateFileW(TempToolPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(RemoveTempToolCopy());
    // A new request cannot overwrite the locked copy: nothing is started.
    const size_t before = Runs().size();
    RunRamMapTool(L"RAMMap", L"-Ew", false, module_);
    std::this_thread::sleep_for(1500ms);  // long enough for a started tool to be seen
    EXPECT_EQ(Runs().size(), before) << starts_.Text();
    CloseHandle(lock);
    EXPECT_TRUE(RemoveTempToolCopy());
    EXPECT_EQ(GetFileAttributesW(TempToolPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace ravenlock
