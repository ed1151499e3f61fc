// The pictures that act as links: each hands its web address to the browser, and the
// Integration tab's banner starts the Discord client through its updater.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "app/control_ids.h"
#include "disk_files.h"
#include "program_test.h"
#include "remote_controls.h"

namespace e2e {
namespace {

using namespace sandbox;
namespace ids = ravenlock::ids;

struct BannerSearch {
    HWND found = nullptr;
};

// The Integration tab's banner: a picture across the whole top of the page.
BOOL CALLBACK FindBanner(HWND child, LPARAM param) {
    RECT r{};
    GetWindowRect(child, &r);
    if (ClassOf(child) == L"RavenlockPicture" && r.right - r.left >= 600) {
        reinterpret_cast<BannerSearch*>(param)->found = child;
        return FALSE;
    }
    return TRUE;
}

using LinkPictures = ProgramTest;

TEST_F(LinkPictures, EachPictureHandsItsAddressToTheBrowser) {
    const struct {
        int tab, tag;
        const wchar_t* address;
    } cases[] = {
        {ids::kTabGame, 0, L"https://fallout.bethesda.net/ru"},
        {ids::kTabResources, 1, L"https://www.nvidia.com/Download/index.aspx?lang=ru"},
        {ids::kTabResources, 2, L"https://www.microsoft.com/ru-ru/download/details.aspx?id=35"},
        {ids::kTabResources, 3, L"https://www.amd.com/ru/support"},
        {ids::kTabResources, 4, L"https://dzen.ru/fallout76ravenlock"},
        {ids::kTabResources, 5, L"https://help.bethesda.net/#ru/"},
        {ids::kTabResources, 6, L"https://www.kaspersky.ru/downloads/thank-you/free-virus-removal-tool"},
        {ids::kTabResources, 8, L"https://vk.com/fallout"},
        {ids::kTabResources, 9, L"https://fallout76map.ru/"},
        {ids::kTabResources, 13, L"https://store.steampowered.com/app/1151340/Fallout_76/"},
        {ids::kTabResources, 14, L"https://discord.com/download"},
        {ids::kTabResources, 15, L"https://cdn.cloudflare.steamstatic.com/client/installer/SteamSetup.exe"},
        {ids::kTabResources, 16, L"https://discord.com/invite/BethesdaStudios"},
    };
    ASSERT_NE(Start(), nullptr);
    std::vector<std::wstring> opened;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        if (!IsShown(Page(Window(), c.tab))) {
            ASSERT_TRUE(ShowTab(Window(), c.tab));
        }
        HWND picture = c.tag == 0 ? On(c.tab, ids::kFalloutLogoImage) : On(c.tab, ids::kLinkImageFirst + c.tag);
        ASSERT_NE(picture, nullptr) << "no picture with Tag " << c.tag;
        PostLeftClick(picture);
        opened.push_back(c.address);
        EXPECT_TRUE(WaitFor([&] { return LogLines(kBrowserLog).size() >= opened.size(); })) << "nothing was opened";
        EXPECT_EQ(LogLines(kBrowserLog), opened);
    }
    // The Steam client's picture downloads the installer; it never starts Steam.
    EXPECT_TRUE(LogLines(kSteamLog).empty());
    EXPECT_TRUE(ProcessesNamed(L"Steam.exe").empty());

    const std::wstring folder = ScreenshotDir();
    ASSERT_FALSE(folder.empty()) << "RAVENLOCK_SCREENSHOT_DIR is not set";
    EXPECT_TRUE(SavePng(CaptureWindow(Window()), folder + L"tab5-resources.png"));
}

TEST_F(LinkPictures, IntegrationBannerStartsTheDiscordClientThroughItsUpdater) {
    ASSERT_NE(Start(), nullptr);
    BannerSearch search;
    EnumChildWindows(Page(Window(), ids::kTabIntegration), FindBanner, reinterpret_cast<LPARAM>(&search));
    if (!search.found) GTEST_SKIP() << "the Integration tab has no banner yet";
    ASSERT_TRUE(ShowTab(Window(), ids::kTabIntegration));
    PostLeftClick(search.found);
    ASSERT_TRUE(WaitFor([] { return !LogLines(kDiscordLog).empty(); })) << "the updater was not started";
    const auto args = SplitCommandLine(LogLines(kDiscordLog).at(0));
    ASSERT_EQ(args.size(), 3u) << LogLines(kDiscordLog).at(0);
    EXPECT_EQ(_wcsicmp(args[0].c_str(), kDiscordUpdater), 0) << args[0];
    EXPECT_EQ(args[1], L"--processStart");
    EXPECT_EQ(args[2], L"Discord.exe");
    EXPECT_TRUE(LogLines(kBrowserLog).empty()) << "the banner opened a web page";
}

// The record the program reads and the stand-in it leads to, by the program's rule:
// the first four characters dropped, the folder before "\app" (not "\AppData").
using DiscordRecord = SandboxTest;

TEST_F(DiscordRecord, LeadsToTheStubUpdaterThatLogsItsCommandLine) {
    EXPECT_EQ(ReadString(kDiscordKey, L"Path_x64").value_or(L"(missing)"),
              L"\\\\?\\C:\\sandbox\\AppData\\Local\\Discord\\app-1.0.9013\\modules\\discord_game_sdk\\x64");
    ASSERT_TRUE(ExistsAsFile(kDiscordUpdater));
    ASSERT_GT(reinterpret_cast<INT_PTR>(
                  ShellExecuteW(nullptr, L"open", kDiscordUpdater, L"--processStart Discord.exe", nullptr, SW_SHOWNORMAL)),
              32);
    ASSERT_TRUE(WaitFor([] { return !LogLines(kDiscordLog).empty(); }));
    const auto args = SplitCommandLine(LogLines(kDiscordLog).at(0));
    EXPECT_EQ(args, (std::vector<std::wstring>{kDiscordUpdater, L"--processStart", L"Discord.exe"}));
}

}  // namespace
}  // namespace e2e
