// The "Экран и управление" tab, driven with real mouse and keyboard input: what it shows
// of the files, a slider that writes when its drag ends and once per key press, the
// resolution list against the lab's monitor, "Другое…", the vertical-speed fix, an
// overridden control, the restore point of a showing and a write that fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "app/control_ids.h"
#include "disk_files.h"
#include "gameconfig/screen_settings.h"
#include "launch_common.h"
#include "program_test.h"
#include "real_input.h"
#include "remote_controls.h"

namespace e2e {
namespace {

using namespace sandbox;
namespace ids = ravenlock::ids;
using ravenlock::ScreenRow;

constexpr wchar_t kIni[] = L"Fallout76.ini";
constexpr wchar_t kPrefs[] = L"Fallout76Prefs.ini";
constexpr wchar_t kCustom[] = L"Fallout76Custom.ini";
constexpr wchar_t kAction[] = L"Изменить настройки на вкладке \"Экран и управление\"";
constexpr uint32_t kOrange = 0xC85A00;  // RGB(200, 90, 0)
constexpr uint32_t kRed = 0xFF0000;

bool Checked(HWND box) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

std::wstring EntryOf(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
    const IniEntries entries = ReadIniEntries(ProfilePath(file));
    const auto at = entries.find({section, key});
    return at == entries.end() ? L"(missing)" : at->second;
}

// The restore points made so far, by folder name.
std::vector<std::wstring> Points() {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(RestorePointsFolder()), std::filesystem::directory_options::skip_permission_denied))
        if (entry.is_directory()) names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

size_t PointCount() {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(RestorePointsFolder()), error) ? Points().size() : 0;
}

bool ReadOnly(const wchar_t* file) { return GetFileAttributesW(ProfilePath(file).c_str()) & FILE_ATTRIBUTE_READONLY; }

// "2560 × 1440 (16:9) (экран)" -> 2560, 1440.
ravenlock::ScreenSize SizeOfItem(const std::wstring& item) {
    ravenlock::ScreenSize size;
    swscanf(item.c_str(), L"%d × %d", &size.width, &size.height);
    return size;
}

class ScreenTab : public ProgramTest {
protected:
    HWND Ctl(int row) const { return On(ids::kTabScreen, ids::kScreenControlFirst + row); }
    HWND Caption(int row) const { return On(ids::kTabScreen, ids::kScreenCaptionFirst + row); }
    HWND Value(int row) const { return On(ids::kTabScreen, ids::kScreenValueFirst + row); }
    void StartOnScreenTab() {
        ASSERT_NE(Start(), nullptr);
        ASSERT_TRUE(ShowTab(Window(), ids::kTabScreen));
    }
    // Opens a combo box with a click and picks an item with the keyboard: `fromEnd` items
    // above the last, as a user does.
    void ChooseFromEnd(int row, int fromEnd) {
        input::LeftClick(input::CentreOf(Ctl(row)));
        input::PressKeys({VK_END});
        for (int i = 0; i < fromEnd; ++i) input::PressKeys({VK_UP});
        input::PressKeys({VK_RETURN});
        ASSERT_TRUE(Settle(Window()));
    }
    // Replaces an edit field's text by typing, as a user does.
    void Type(HWND edit, const std::wstring& digits) {
        input::LeftClick(input::CentreOf(edit));
        input::PressKeys({VK_END});
        input::PressKeys({VK_SHIFT, VK_HOME});
        for (wchar_t c : digits) input::PressKeys({static_cast<WORD>(c)});
    }
};

TEST_F(ScreenTab, ShowsTheValuesThatApplyAndMarksOddOnesWithoutWriting) {
    ASSERT_TRUE(WriteProfileFile(
        kPrefs, {L"[Display]", L"iSize W = 1600", L"iSize H=900", L"bFull Screen=0", L"bBorderless=0",
                 L"bMaximizeWindow=0", L"fDefaultWorldFOV=95.0000", L"[Controls]", L"fMouseHeadingSensitivity=0,0300",
                 L"[MAIN]", L"fHUDOpacity=0.5f", L"bEnableCameraShake=0", L"[Grass]", L"fGrassStartFadeDistance=20000"}));
    ASSERT_TRUE(WriteProfileFile(kCustom, {L"[Camera]", L"fVanityModeMaxDist=300", L"[Grass]", L"bAllowCreateGrass=0",
                                           L"[Controls]", L"fMouseHeadingXScale=0.0210", L"fMouseHeadingYScale=0.0373"}));
    const auto before = std::make_tuple(ReadBytes(ProfilePath(kIni)), ReadBytes(ProfilePath(kPrefs)),
                                        ReadBytes(ProfilePath(kCustom)));
    StartOnScreenTab();
    const struct {
        ScreenRow row;
        int position;
        const wchar_t* label;
        bool red;
    } sliders[] = {
        {ravenlock::kScreenWorldFov, 95, L"95", false},
        {ravenlock::kScreenFirstPersonFov, 80, L"80", false},  // no file sets it: the game's default
        {ravenlock::kScreenMouseSensitivity, 30, L"в файле: 0,0300", true},  // a comma: unreadable
        {ravenlock::kScreenCameraDistance, 30, L"300", false},
        {ravenlock::kScreenGrassDistance, 28, L"в файле: 20000", true},  // beyond the end
        {ravenlock::kScreenShadowDistance, 6, L"в файле: 3000.0000", true},  // from Fallout76.ini, below the start
        {ravenlock::kScreenHudOpacity, 10, L"50", false},  // "0.5f" is 50 %
    };
    for (const auto& s : sliders) {
        SCOPED_TRACE(TextOf(Caption(s.row)));
        EXPECT_EQ(TrackBarPosition(Ctl(s.row)), s.position);
        EXPECT_EQ(TextOf(Value(s.row)), s.label);
        EXPECT_EQ(PixelsOfColour(Value(s.row), kRed) > 0, s.red);
    }
    const auto resolution = ComboBoxItems(Ctl(ravenlock::kScreenResolution));
    const int selected = ComboBoxSelection(Ctl(ravenlock::kScreenResolution));
    ASSERT_GE(selected, 0);
    EXPECT_EQ(resolution[static_cast<size_t>(selected)].substr(0, 17), L"1600 × 900 (16:9)");
    EXPECT_EQ(ComboBoxItems(Ctl(ravenlock::kScreenWindowMode))[static_cast<size_t>(
                  ComboBoxSelection(Ctl(ravenlock::kScreenWindowMode)))],
              L"Оконный");
    EXPECT_TRUE(Checked(Ctl(ravenlock::kScreenNoGrass)));
    EXPECT_TRUE(Checked(Ctl(ravenlock::kScreenCameraShake)));
    EXPECT_TRUE(Checked(Ctl(ravenlock::kScreenVerticalFix)));
    EXPECT_FALSE(Checked(Ctl(ravenlock::kScreenMouseAcceleration)));
    ASSERT_TRUE(Settle(Window()));
    EXPECT_TRUE(before == std::make_tuple(ReadBytes(ProfilePath(kIni)), ReadBytes(ProfilePath(kPrefs)),
                                          ReadBytes(ProfilePath(kCustom))))
        << "the showing wrote the files";
    EXPECT_EQ(PointCount(), 0u);
    if (!ScreenshotDir().empty()) SavePng(CaptureWindow(Window()), ScreenshotDir() + L"screen-odd-values.png");
}

TEST_F(ScreenTab, SliderWritesWhenTheDragEndsAndOncePerKeyPress) {
    StartOnScreenTab();
    HWND slider = Ctl(ravenlock::kScreenWorldFov);
    ASSERT_EQ(TrackBarPosition(slider), 80);  // the sample files do not set it
    const auto prefsBefore = ReadBytes(ProfilePath(kPrefs));
    const POINT thumb = TrackBarThumbCentre(slider);
    input::LeftPress(thumb);
    for (int dx : {20, 40, 60}) input::MoveTo({thumb.x + dx, thumb.y});
    ASSERT_TRUE(WaitFor([&] { return TrackBarPosition(slider) > 80; })) << "the drag did not move the slider";
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(ReadBytes(ProfilePath(kPrefs)), prefsBefore) << "written while the drag goes on";
    EXPECT_EQ(PointCount(), 0u);
    input::LeftRelease({thumb.x + 60, thumb.y});
    const int dragged = TrackBarPosition(slider);
    const std::wstring text = std::to_wstring(dragged) + L".0000";
    EXPECT_TRUE(WaitFor([&] { return EntryOf(kPrefs, L"Display", L"fDefaultWorldFOV") == text; }))
        << ReadBytes(ProfilePath(kPrefs)).value_or("(no file)");
    EXPECT_EQ(EntryOf(kPrefs, L"Interface", L"fDefaultWorldFOV"), text);
    EXPECT_EQ(TextOf(Value(ravenlock::kScreenWorldFov)), std::to_wstring(dragged));

    // The slider has the focus now: each arrow key is one step and one write.
    for (int step = 1; step <= 2; ++step) {
        input::PressKeys({VK_RIGHT});
        const std::wstring stepped = std::to_wstring(dragged + step) + L".0000";
        EXPECT_TRUE(WaitFor([&] { return EntryOf(kPrefs, L"Display", L"fDefaultWorldFOV") == stepped; }))
            << "key press " << step << ": " << ReadBytes(ProfilePath(kPrefs)).value_or("(no file)");
    }
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(PointCount(), 1u) << "one restore point for the showing";
    for (const wchar_t* file : {kIni, kPrefs, kCustom}) EXPECT_TRUE(ReadOnly(file)) << testing::PrintToString(file);
    // The other lines are as they were: only the two keys came in.
    const std::wstring copy = std::wstring(kScratch) + L"prefs-before.ini";
    ASSERT_TRUE(WriteBytes(copy, prefsBefore.value_or("")));
    IniEntries expected = ReadIniEntries(copy);
    expected[{L"Display", L"fDefaultWorldFOV"}] = std::to_wstring(dragged + 2) + L".0000";
    expected[{L"Interface", L"fDefaultWorldFOV"}] = std::to_wstring(dragged + 2) + L".0000";
    EXPECT_EQ(ReadIniEntries(ProfilePath(kPrefs)), expected);
}

TEST_F(ScreenTab, ResolutionListIsTheMonitorsModes) {
    std::set<std::pair<int, int>> modes;
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); ++i)
        if (mode.dmPelsWidth >= 800 && mode.dmPelsHeight >= 600)
            modes.insert({static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight)});
    ASSERT_TRUE(EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    const std::pair<int, int> screen{static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight)};
    // The sample Fallout76Prefs.ini sets 1920 × 1080, its own item when it is no mode.
    std::set<std::pair<int, int>> expected = modes;
    expected.insert({1920, 1080});

    StartOnScreenTab();
    const auto items = ComboBoxItems(Ctl(ravenlock::kScreenResolution));
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.back(), L"Другое…");
    std::vector<std::pair<int, int>> listed;
    for (size_t i = 0; i + 1 < items.size(); ++i) {
        const auto size = SizeOfItem(items[i]);
        listed.push_back({size.width, size.height});
        EXPECT_EQ(items[i].ends_with(L" (экран)"), listed.back() == screen) << testing::PrintToString(items[i]);
    }
    const std::vector<std::pair<int, int>> largestFirst(expected.rbegin(), expected.rend());
    EXPECT_EQ(listed, largestFirst);
    std::wstring all;
    for (const auto& item : items) all += item + L"; ";
    std::printf("resolution list in the lab: %s\n", Utf8(all).c_str());
}

TEST_F(ScreenTab, OtherSizeWritesTheTypedSizeAndTheVerticalFixFollows) {
    StartOnScreenTab();
    input::LeftClick(input::CentreOf(Ctl(ravenlock::kScreenVerticalFix)));
    EXPECT_TRUE(WaitFor([&] { return EntryOf(kCustom, L"Controls", L"fMouseHeadingYScale") == L"0.0373"; }))
        << ReadBytes(ProfilePath(kCustom)).value_or("(no file)");
    EXPECT_EQ(EntryOf(kCustom, L"Controls", L"fMouseHeadingXScale"), L"0.0210");

    // The smallest size of the list: the item above "Другое…".
    ASSERT_NO_FATAL_FAILURE(ChooseFromEnd(ravenlock::kScreenResolution, 1));
    const auto items = ComboBoxItems(Ctl(ravenlock::kScreenResolution));
    ASSERT_GE(items.size(), 2u);
    const auto smallest = SizeOfItem(items[items.size() - 2]);
    EXPECT_TRUE(WaitFor([&] { return EntryOf(kPrefs, L"Display", L"iSize W") == std::to_wstring(smallest.width); }));
    EXPECT_EQ(EntryOf(kPrefs, L"Display", L"iSize H"), std::to_wstring(smallest.height));
    wchar_t y[16];
    swprintf(y, 16, L"0.%04d", (210 * smallest.width * 2 + smallest.height) / (2 * smallest.height));
    EXPECT_EQ(EntryOf(kCustom, L"Controls", L"fMouseHeadingYScale"), y) << "the fix did not follow the resolution";

    ASSERT_NO_FATAL_FAILURE(ChooseFromEnd(ravenlock::kScreenResolution, 0));
    HWND width = On(ids::kTabScreen, ids::kScreenWidthEdit), height = On(ids::kTabScreen, ids::kScreenHeightEdit);
    ASSERT_TRUE(WaitFor([&] { return IsShown(width) && IsShown(height); })) << "no fields for \"Другое…\"";
    Type(width, L"2560");
    Type(height, L"1080");
    input::PressKeys({VK_RETURN});
    EXPECT_TRUE(WaitFor([&] {
        return EntryOf(kPrefs, L"Display", L"iSize W") == L"2560" && EntryOf(kPrefs, L"Display", L"iSize H") == L"1080";
    })) << ReadBytes(ProfilePath(kPrefs)).value_or("(no file)");
    EXPECT_EQ(EntryOf(kCustom, L"Controls", L"fMouseHeadingYScale"), L"0.0498");  // 0.021 × 2560 / 1080
    if (!ScreenshotDir().empty()) SavePng(CaptureWindow(Window()), ScreenshotDir() + L"screen-other-size.png");

    // Unchecked, both keys go.
    input::LeftClick(input::CentreOf(Ctl(ravenlock::kScreenVerticalFix)));
    EXPECT_TRUE(WaitFor([&] { return EntryOf(kCustom, L"Controls", L"fMouseHeadingYScale") == L"(missing)"; }));
    EXPECT_EQ(EntryOf(kCustom, L"Controls", L"fMouseHeadingXScale"), L"(missing)");
    ASSERT_TRUE(Settle(Window()));
    for (const wchar_t* file : {kIni, kPrefs, kCustom}) EXPECT_TRUE(ReadOnly(file)) << testing::PrintToString(file);
}

TEST_F(ScreenTab, OverriddenControlIsOrangeAndTheOverrideCanBeRemoved) {
    ASSERT_TRUE(WriteProfileFile(kPrefs, {L"[Display]", L"fDefaultWorldFOV=90.0000", L"[Interface]",
                                          L"fDefaultWorldFOV=90.0000"}));
    ASSERT_TRUE(WriteProfileFile(kCustom, {L"[General]", L"bSkipSplash=1", L"[Display]", L"fDefaultWorldFOV=100.0000"}));
    StartOnScreenTab();
    const int row = ravenlock::kScreenWorldFov;
    EXPECT_EQ(TrackBarPosition(Ctl(row)), 100) << "the value that applies is the custom file's";
    ASSERT_TRUE(WaitFor([&] { return PixelsOfColour(Caption(row), kOrange) > 0; })) << "the caption is not orange";
    EXPECT_EQ(PixelsOfColour(Caption(ravenlock::kScreenAimFov), kOrange), 0u);
    EXPECT_EQ(TooltipOf(Ctl(row)),
              L"Не действует: значение задано в Fallout76Custom.ini ([Display] fDefaultWorldFOV=100.0000)");
    if (!ScreenshotDir().empty()) SavePng(CaptureWindow(Window()), ScreenshotDir() + L"screen-overridden.png");

    input::RightClick(input::CentreOf(Caption(row)));
    HWND menu = WaitForPopupMenu(Running().Id());
    ASSERT_NE(menu, nullptr) << "no menu over the overridden caption";
    ChooseFromBottomOfMenu(menu, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
    EXPECT_TRUE(WaitFor([&] { return PixelsOfColour(Caption(row), kOrange) == 0; })) << "still orange";
    EXPECT_TRUE(WaitFor([&] { return TrackBarPosition(Ctl(row)) == 90; }));
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(ReadBytes(ProfilePath(kCustom)).value_or(""), "[General]\r\nbSkipSplash=1\r\n[Display]\r\n");
    EXPECT_TRUE(ReadOnly(kCustom));
}

TEST_F(ScreenTab, EachShowingMakesOneRestorePointAndAFailedWritePutsTheControlBack) {
    StartOnScreenTab();
    HWND grass = Ctl(ravenlock::kScreenNoGrass);
    for (const wchar_t* expected : {L"0", L"(missing)"}) {
        input::LeftClick(input::CentreOf(grass));
        EXPECT_TRUE(WaitFor([&] { return EntryOf(kCustom, L"Grass", L"bAllowCreateGrass") == expected; }));
    }
    ASSERT_TRUE(Settle(Window()));
    ASSERT_EQ(PointCount(), 1u);
    const std::string action = ReadBytes(RestorePointsFolder() + Points()[0] + L"\\action.txt").value_or("");
    EXPECT_EQ(action, Utf8(kAction));

    // Shown again: the next change makes a second point.
    ASSERT_TRUE(ShowTab(Window(), ids::kTabResources));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabScreen));
    input::LeftClick(input::CentreOf(Ctl(ravenlock::kScreenCameraShake)));
    EXPECT_TRUE(WaitFor([&] { return EntryOf(kPrefs, L"MAIN", L"bEnableCameraShake") == L"0"; }));
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(PointCount(), 2u);

    // "Точки восстановления…" opens the menu of points.
    input::LeftClick(input::CentreOf(On(ids::kTabScreen, ids::kScreenRestorePointsButton)));
    HWND menu = WaitForPopupMenu(Running().Id());
    ASSERT_NE(menu, nullptr) << "no menu of restore points";
    input::PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));

    // Another program holds the custom file: the message, and the box shows the file again.
    {
        FileLock lock(ProfilePath(kCustom));
        ASSERT_TRUE(lock.Held());
        input::LeftClick(input::CentreOf(grass));
        HWND box = Running().WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no message box appeared";
        EXPECT_NE(MessageBoxText(box).find(ProfilePath(kCustom)), std::wstring::npos)
            << testing::PrintToString(MessageBoxText(box));
        Answer(box, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    }
    EXPECT_TRUE(WaitFor([&] { return !Checked(grass); })) << "the box keeps a state the file does not hold";
    EXPECT_EQ(EntryOf(kCustom, L"Grass", L"bAllowCreateGrass"), L"(missing)");
}

}  // namespace
}  // namespace e2e
