// The sandbox world itself: the program's tests rely on the shell, the registry and the
// profile folder of the sandbox prefix behaving as on a gamer's Windows with Steam.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "driver.h"
#include "sandbox.h"

namespace e2e {
namespace {

using namespace sandbox;

bool LogHas(const std::wstring& log, const std::wstring& text) {
    const auto lines = LogLines(log);
    return std::any_of(lines.begin(), lines.end(), [&](const std::wstring& l) { return l.find(text) != l.npos; });
}

bool ShellOpen(const std::wstring& target) {
    return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

using SandboxWorld = SandboxTest;

TEST_F(SandboxWorld, ShellOpensWebAddressesInTheStubBrowser) {
    const std::wstring addresses[] = {L"https://example.invalid/x", L"http://example.invalid/news?id=76&lang=ru"};
    for (const auto& address : addresses) {
        ASSERT_TRUE(ShellOpen(address)) << address;
        EXPECT_TRUE(WaitFor([&] { return LogHas(kBrowserLog, address); })) << address;
    }
    EXPECT_EQ(LogLines(kBrowserLog), std::vector<std::wstring>(std::begin(addresses), std::end(addresses)));
}

TEST_F(SandboxWorld, SteamLinkStartsTheStubGameThroughTheProtocolHandler) {
    ASSERT_TRUE(ShellOpen(L"steam://rungameid/1151340"));
    ASSERT_TRUE(WaitFor([] { return LogHas(kSteamLog, L"steam://rungameid/1151340"); }));
    EXPECT_EQ(LogLines(kSteamLog).at(0), std::wstring(L"\"") + kSteamExe + L"\" \"steam://rungameid/1151340\"");
    const auto games = ProcessesNamed(L"Fallout76.exe");
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(_wcsicmp(ImagePathOf(games[0]).c_str(), kGameExe), 0) << ImagePathOf(games[0]);
    EXPECT_EQ(ProcessesNamed(L"Steam.exe").size(), 1u) << "Steam stays up beside the game";
}

TEST_F(SandboxWorld, SteamWithoutTheLinkStaysUpAndStartsNoGame) {
    std::wstring cmd = std::wstring(L"\"") + kSteamExe + L"\" -silent";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(kSteamExe, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    EXPECT_TRUE(WaitFor([] { return LogHas(kSteamLog, L"-silent"); }));
    EXPECT_TRUE(ProcessesNamed(L"Fallout76.exe").empty());
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(pi.hProcess);
}

TEST_F(SandboxWorld, SteamRecordNamesTheStubSteamAndALogin) {
    const auto exe = ReadString(kSteamKey, L"SteamExe");
    ASSERT_TRUE(exe.has_value());
    EXPECT_EQ(*exe, kSteamExeAsRecorded);
    const DWORD attributes = GetFileAttributesW(exe->c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        << "the recorded Steam.exe does not exist";
    EXPECT_EQ(ReadString(kSteamKey, L"AutoLoginUser").value_or(L"(missing)"), kSteamLogin);
}

TEST_F(SandboxWorld, ProfileFolderHoldsTheGamesIniFilesInAnsiWithCrLf) {
    const struct {
        const wchar_t* file;
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
    } cases[] = {
        {L"Fallout76.ini", L"General", L"sLanguage", L"ru"},
        {L"Fallout76.ini", L"Archive", L"sResourceIndexFileList", L"SeventySix - Textures01.ba2, SeventySix - Textures02.ba2"},
        {L"Fallout76Prefs.ini", L"Display", L"iSize W", L"1920"},
        {L"Fallout76Prefs.ini", L"Interface", L"fPipboyEffectColorG", L"1.0000"},
    };
    for (const auto& c : cases) {
        const std::wstring path = ProfileFolder() + c.file;
        wchar_t value[256] = {};
        GetPrivateProfileStringW(c.section, c.key, L"(missing)", value, 256, path.c_str());
        EXPECT_STREQ(value, c.value) << path << " [" << c.section << "] " << c.key;
    }
    for (const wchar_t* file : {L"Fallout76.ini", L"Fallout76Prefs.ini"}) {
        std::ifstream in((ProfileFolder() + file).c_str(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 2u) << file;
        EXPECT_EQ(bytes[0], '[') << file << ": no byte-order mark, no UTF-16";
        EXPECT_EQ(bytes.find('\0'), bytes.npos) << file;
        for (size_t i = bytes.find('\n'); i != bytes.npos; i = bytes.find('\n', i + 1))
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << file << ": bare LF at byte " << i;
    }
}

}  // namespace
}  // namespace e2e
