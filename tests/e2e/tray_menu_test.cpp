// The tray icon's menu as a user works it: opened by a right click on the icon, each item
// chosen in the menu itself, and what each one starts, with its exact command line.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "launch_common.h"
#include "remote_controls.h"
#include "started_processes.h"

namespace e2e {
namespace {

using namespace sandbox;

// The arguments after the program's own name, as the started program would parse them.
std::vector<std::wstring> ArgumentsAfterName(const std::wstring& commandLine) {
    auto args = SplitCommandLine(commandLine);
    if (!args.empty()) args.erase(args.begin());
    return args;
}

std::wstring WithoutTrailingSeparator(std::wstring folder) {
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

class TrayMenu : public SandboxTest {
protected:
    // Opens the menu on the icon and picks the item; the menu must close.
    static void Choose(HWND window, TrayItemFromBottom item) {
        HWND menu = OpenTrayMenu(window);
        ASSERT_NE(menu, nullptr) << "the tray icon opens no menu";
        ChooseFromBottomOfMenu(menu, item);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); })) << "the menu stays open";
    }
    // Waits for the first line of a stand-in's log and returns the arguments it got.
    static std::vector<std::wstring> FirstStart(const std::wstring& log) {
        EXPECT_TRUE(WaitFor([&] { return !LogLines(log).empty(); })) << "nothing was started";
        const auto lines = LogLines(log);
        return lines.empty() ? std::vector<std::wstring>{} : ArgumentsAfterName(lines.front());
    }
};

TEST_F(TrayMenu, FolderAndDiskItemsStartTheirToolWithTheExactArguments) {
    const struct {
        const char* what;
        TrayItemFromBottom item;
        const wchar_t* stub;
        std::vector<std::wstring> args;
    } cases[] = {
        {"install folder", kTrayInstallFolder, L"explorer", {WithoutTrailingSeparator(kGameFolder)}},
        {"profile folder", kTrayProfileFolder, L"explorer", {WithoutTrailingSeparator(ProfileFolder())}},
        {"disk check", kTrayCheckDisk, L"chkdsk", {L"C:", L"/F"}},
    };
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW(LogOf(c.stub).c_str());
        Choose(window, c.item);
        EXPECT_EQ(FirstStart(LogOf(c.stub)), c.args) << LogLines(LogOf(c.stub)).at(0);
        ASSERT_TRUE(Settle(window));
        EXPECT_EQ(LogLines(LogOf(c.stub)).size(), 1u) << "started more than once";
    }
    EXPECT_TRUE(program.IsRunning());
}

TEST_F(TrayMenu, ProfileItemIsGreyedWhenTheFolderWasMissingAtStartUp) {
    const std::wstring profile = WithoutTrailingSeparator(ProfileFolder());
    const std::wstring away = profile + L" (away)";
    ASSERT_TRUE(MoveFileW(profile.c_str(), away.c_str()));
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    // Back before the choice: the item follows what start-up saw.
    ASSERT_TRUE(MoveFileW(away.c_str(), profile.c_str()));
    Choose(window, kTrayProfileFolder);
    ASSERT_TRUE(Settle(window));
    Sleep(1500);
    EXPECT_TRUE(LogLines(LogOf(L"explorer")).empty()) << "the greyed item opened the folder";
    // The item above it still works.
    Choose(window, kTrayInstallFolder);
    EXPECT_EQ(FirstStart(LogOf(L"explorer")), std::vector<std::wstring>{WithoutTrailingSeparator(kGameFolder)});
}

TEST_F(TrayMenu, MemoryItemsRunTheToolWithTheirSwitch) {
    const ravenlock::testing::StartsOf tool(L"RAMMap.exe");
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    const struct {
        TrayItemFromBottom item;
        const wchar_t* toolSwitch;
    } cases[] = {{kTrayFreeRam, L"-Et"}, {kTrayFreeWorkingSets, L"-Ew"}};
    size_t runs = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "switch " << (c.item == kTrayFreeRam ? "-Et" : "-Ew"));
        Choose(window, c.item);
        ASSERT_TRUE(WaitFor([&] { return tool.Arguments().size() == runs + 1; })) << "the tool did not start; " << tool.Text();
        ++runs;
        EXPECT_EQ(tool.Arguments().back(), c.toolSwitch);
        EXPECT_TRUE(WaitFor([] { return ProcessesNamed(L"RAMMap.exe").empty(); }));
    }
}

TEST_F(TrayMenu, ForcedStartShowHideAndExit) {
    Program program;
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);

    Choose(window, kTrayForceStart);
    ASSERT_TRUE(WaitFor([] { return GameProcesses().size() == 1; })) << "no game started";
    EXPECT_EQ(_wcsicmp(ImagePathOf(GameProcesses().front()).c_str(), kGameExe), 0);

    Choose(window, kTrayMinMax);
    EXPECT_TRUE(WaitFor([&] { return !IsShown(window); })) << "the window stays on screen";
    Choose(window, kTrayMinMax);
    EXPECT_TRUE(WaitFor([&] { return IsShown(window); })) << "the window does not come back";

    Choose(window, kTrayExit);
    EXPECT_TRUE(program.WaitForExit()) << "the program goes on after Выход";
    EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
}  // namespace e2e
