// The options and the Pip-Boy colour of the Tools tab as they reach the game's files
// and the settings store: what the first showing writes, what a click writes, a write
// the system refuses, and the tab without the game's settings.
#include <gtest/gtest.h>

#include <set>

#include "app/control_ids.h"
#include "disk_files.h"
#include "launch_common.h"
#include "program_test.h"
#include "real_input.h"
#include "remote_controls.h"

namespace e2e {
namespace {

using namespace sandbox;
namespace ids = ravenlock::ids;

constexpr wchar_t kIni[] = L"Fallout76.ini";
constexpr wchar_t kPrefs[] = L"Fallout76Prefs.ini";
constexpr wchar_t kCustom[] = L"Fallout76Custom.ini";
constexpr int kAllTags[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 60, 61};

bool Checked(HWND box) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

// Every file of the profile folder (not its subfolders) with its bytes.
std::map<std::wstring, std::string> ProfileFiles() {
    std::map<std::wstring, std::string> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((ProfileFolder() + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files[found.cFileName] = ReadBytes(ProfileFolder() + found.cFileName).value_or("(unreadable)");
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

class ToolsOptions : public ProgramTest {
protected:
    HWND Box(int tag) const { return On(ids::kTabTools, ids::kCheckBoxFirst + tag); }
    // Starts the program and shows the Tools tab.
    void StartOnToolsTab() {
        ASSERT_NE(Start(), nullptr);
        ASSERT_TRUE(ShowTab(Window(), ids::kTabTools));
    }
};

TEST_F(ToolsOptions, FirstShowingWritesTheKeysOfTheBoxesThatFillChecked) {
    // Values stand in quotes: the program reads through them and writes without them, so
    // a value still quoted afterwards was left alone.
    ASSERT_TRUE(WriteProfileFile(
        kIni, {L"[General]", L"sLanguage=\"ru\"", L"sIntroSequence=\"0\"", L"uMainMenuDelayBeforeAllowSkip=\"1500\"",
               L"[Display]", L"bFull Screen=\"1\"", L"fDefaultFOV=\"80.0000\"", L"[ImageSpace]",
               L"bDoRadialBlur=\"1\"", L"bMBEnable=\"0\"", L"[Weather]", L"bFogEnabled=\"1\"",
               L"bRainOcclusion=\"0\"", L"bWetnessOcclusion=\"0\"", L"[ScreenSplatter]",
               L"bBloodSplatterEnabled=\"0\"", L"[Archive]",
               L"sResourceArchiveList=\"SeventySix - Interface.ba2, SeventySix - Startup.ba2\""}));
    ASSERT_TRUE(WriteProfileFile(
        kPrefs, {L"[Display]", L"bVolumetricLightingEnable=\"0\"", L"bSAOEnable=\"0\"", L"iPresentInterval=\"0\"",
                 L"sAntiAliasing=\"taa\"", L"[ImageSpace]", L"bDoDepthOfField=\"0\"", L"bLensFlare=\"0\"",
                 L"bScreenSpaceBokeh=\"0\"", L"[Water]", L"bUseWaterHiRes=\"0\"", L"[LightingShader]",
                 L"bScreenSpaceReflections=\"0\"", L"[GamePlay]", L"bShowPublicTeamNotifications=\"1\"",
                 L"[Adventure]", L"bShowDamageNumbers=\"0\"", L"[Interface]", L"fPipboyEffectColorR=0.5000",
                 L"fHUDOpacity=\"1.0000\""}));
    std::map<std::wstring, IniEntries> expected = {{kIni, ReadIniEntries(ProfilePath(kIni))},
                                                   {kPrefs, ReadIniEntries(ProfilePath(kPrefs))}};
    const struct {
        const wchar_t* file;
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
    } writes[] = {
        {kIni, L"General", L"sIntroSequence", L"0"},         // box 15, first key...
        {kIni, L"General", L"uMainMenuDelayBeforeAllowSkip", L"0"},  // ...and its second
        {kIni, L"Display", L"bFull Screen", L"1"},           // box 20...
        {kIni, L"Display", L"bBorderless", L"1"},            // ...adds its second key
        {kIni, L"ImageSpace", L"bDoRadialBlur", L"1"},       // box 2...
        {kIni, L"ImageSpace", L"bMBEnable", L"1"},           // ...sets its second key as well
        {kIni, L"Weather", L"bFogEnabled", L"1"},            // box 1, written back
        {kPrefs, L"Interface", L"bShowTutorials", L"0"},     // box 17: a missing key counts as checked
    };
    for (const auto& w : writes) expected[w.file][{w.section, w.key}] = w.value;

    StartOnToolsTab();
    for (const auto& [file, entries] : expected) EXPECT_EQ(ReadIniEntries(ProfilePath(file)), entries) << file;
    EXPECT_EQ(ReadIniEntries(ProfilePath(kCustom)), IniEntries{}) << "box 18 fills unchecked and writes nothing";
    EXPECT_EQ(ValueCount(kSettingsKey), 0) << "the launch options have no values to fill from";

    const std::set<int> checked = {1, 2, 15, 17, 20};
    for (int tag : kAllTags) EXPECT_EQ(Checked(Box(tag)), checked.count(tag) == 1) << "box " << tag;
}

TEST_F(ToolsOptions, OptionOverriddenByTheCustomFileIsOrangeAndTheKeyCanBeRemovedFromThere) {
    constexpr uint32_t kOrange = 0xC85A00;  // RGB(200, 90, 0)
    ASSERT_TRUE(WriteProfileFile(kPrefs, {L"[ImageSpace]", L"bLensFlare=1", L"bScreenSpaceBokeh=1"}));
    // The key in another letter case, twice, with blanks around "=": all of it goes.
    ASSERT_TRUE(WriteProfileFile(kCustom, {L"[General]", L"bLensFlare=0", L"[imagespace]", L"BLENSFLARE = 0",
                                           L"bLensFlare=1", L"iKeep=2", L"[ImageSpace]", L"bLensFlare=0"}));
    StartOnToolsTab();
    ASSERT_TRUE(WaitFor([&] { return PixelsOfColour(Box(7), kOrange) > 0; })) << "the overridden box is not orange";
    EXPECT_EQ(PixelsOfColour(Box(8), kOrange), 0u) << "a box nothing overrides is orange";
    // The section and key as the option names them; the value of the first line of the key
    // in the first section of that name, as the game reads it.
    EXPECT_EQ(TooltipOf(Box(7)), L"Не действует: значение задано в Fallout76Custom.ini ([ImageSpace] bLensFlare=0)");
    EXPECT_EQ(TooltipOf(Box(8)), L"") << "a box nothing overrides has a tip";
    if (!ScreenshotDir().empty()) SavePng(CaptureWindow(Window()), ScreenshotDir() + L"tools-overridden-option.png");

    input::RightClick(input::CentreOf(Box(7)));
    HWND menu = WaitForPopupMenu(Running().Id());
    ASSERT_NE(menu, nullptr) << "no menu over the overridden box";
    ChooseFromBottomOfMenu(menu, 0);
    const std::string expected = "[General]\r\nbLensFlare=0\r\n[imagespace]\r\niKeep=2\r\n[ImageSpace]\r\nbLensFlare=0\r\n";
    // Read once the program is done: a read while it saves would make its save fail.
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); })) << "the menu stays open";
    EXPECT_TRUE(WaitFor([&] { return PixelsOfColour(Box(7), kOrange) == 0; })) << "still orange after the removal";
    EXPECT_EQ(TooltipOf(Box(7)), L"") << "the tip stays after the removal";
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(ReadBytes(ProfilePath(kCustom)).value_or("(unreadable)"), expected);
    EXPECT_TRUE(ReadBytes(ProfilePath(kPrefs)).value_or("").find("bLensFlare=1") != std::string::npos);
    // The game's files are read-only again.
    EXPECT_TRUE(GetFileAttributesW(ProfilePath(kCustom).c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(ToolsOptions, AnnouncementBoxCreatesTheCustomFileWithBothSections) {
    StartOnToolsTab();
    // The program made the file at start-up; without it, the click makes it.
    ASSERT_TRUE(DeleteFileAnyway(ProfilePath(kCustom)));
    ASSERT_FALSE(Checked(Box(18)));
    Click(Box(18));
    const IniEntries expected = {{{L"General", L"bSkipSplash"}, L"1"}, {{L"Login", L"bAutoSignIn"}, L"1"}};
    EXPECT_TRUE(WaitFor([&] { return ReadIniEntries(ProfilePath(kCustom)) == expected; }))
        << ReadBytes(ProfilePath(kCustom)).value_or("(no file)");
    EXPECT_TRUE(Checked(Box(18)));
}

TEST_F(ToolsOptions, LaunchOptionBoxesWriteOnlyTheSettingsStore) {
    const struct {
        int tag;
        const wchar_t* value;
    } cases[] = {{60, L"GameProcessHighPriority"}, {61, L"FreeRAMCacheBeforeStartingGame"}};
    StartOnToolsTab();
    const auto filesBefore = ProfileFiles();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        for (const DWORD expected : {1u, 0u}) {
            Click(Box(c.tag));
            EXPECT_TRUE(WaitFor([&] { return ReadDword(kSettingsKey, c.value) == expected; }))
                << "stored: " << ReadDword(kSettingsKey, c.value).value_or(99) << ", expected " << expected;
            EXPECT_EQ(Checked(Box(c.tag)), expected == 1);
        }
    }
    EXPECT_EQ(ValueCount(kSettingsKey), 2);
    EXPECT_TRUE(ProfileFiles() == filesBefore) << "a launch option changed the game's files";
}

TEST_F(ToolsOptions, WithoutThePrefsFileToolsAndEditorPagesAreDisabledAndNothingIsWritten) {
    ASSERT_TRUE(DeleteFileAnyway(ProfilePath(kPrefs)));
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(Settle(Window()));
    const auto filesBefore = ProfileFiles();

    ASSERT_TRUE(ShowTab(Window(), ids::kTabTools));
    EXPECT_FALSE(IsEnabled(Page(Window(), ids::kTabTools)));
    EXPECT_EQ(TextOf(On(ids::kTabTools, ids::kModsGroupBox)), L"Установленных модификаций: 0");
    // The crash dumps are listed all the same.
    EXPECT_EQ(TextOf(On(ids::kTabTools, ids::kGroupBox3)), L"Последних CrashDump-ов: 3");
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    EXPECT_FALSE(IsEnabled(Page(Window(), ids::kTabEditor)));
    EXPECT_TRUE(Running().Dialogs().empty()) << "a message box is open";

    EXPECT_TRUE(ProfileFiles() == filesBefore) << "a showing changed the game's files";
    EXPECT_FALSE(ExistsAsFile(ProfilePath(kPrefs)));
    EXPECT_EQ(ValueCount(kSettingsKey), 0);
}

TEST_F(ToolsOptions, RefusedWriteShowsTheFileItCouldNotWrite) {
    // The click's own guard makes read-only files writable first, so the refusal comes
    // from another program holding the file.
    const struct {
        int tag;
        const wchar_t* file;
    } cases[] = {{1, kIni}, {3, kPrefs}, {18, kCustom}};
    StartOnToolsTab();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const bool before = Checked(Box(c.tag));
        const IniEntries entriesBefore = ReadIniEntries(ProfilePath(c.file));
        {
            FileLock lock(ProfilePath(c.file));
            ASSERT_TRUE(lock.Held());
            Click(Box(c.tag));
            HWND box = Running().WaitForMessageBox();
            ASSERT_NE(box, nullptr) << "no message box appeared";
            EXPECT_EQ(TextOf(box), ids::kMessageBoxTitle);
            EXPECT_EQ(MessageBoxText(box), L"Unable to write to " + ProfilePath(c.file));
            Answer(box, IDOK);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
        }
        EXPECT_NE(Checked(Box(c.tag)), before) << "the box keeps its new state on screen";
        EXPECT_EQ(ReadIniEntries(ProfilePath(c.file)), entriesBefore);
    }
}

// --- Pip-Boy colour -------------------------------------------------------------------

class PipboyColour : public ToolsOptions {};

TEST_F(PipboyColour, SlidersFollowTheFileWithoutWritingIt) {
    ASSERT_TRUE(WriteProfileFile(kPrefs, {L"[Interface]", L"fPipboyEffectColorR=0.8500", L"fPipboyEffectColorG=2.0000",
                                          L"fPipboyEffectColorB=0.0800"}));
    const struct {
        int slider, label;
        const wchar_t* name;
        int position;
        const wchar_t* caption;
        const wchar_t* value;  // as the file still holds it
    } cases[] = {
        {ids::kTrackBarR, ids::kRedColorLabel, L"fPipboyEffectColorR", 8, L"R: 8", L"0.8500"},  // only one decimal counts
        {ids::kTrackBarG, ids::kGreenColorLabel, L"fPipboyEffectColorG", 15, L"G: 15", L"2.0000"},  // held at 15
        {ids::kTrackBarB, ids::kBlueColorLabel, L"fPipboyEffectColorB", 1, L"B: 1", L"0.0800"},     // held at 1
    };
    StartOnToolsTab();
    const IniEntries entries = ReadIniEntries(ProfilePath(kPrefs));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TrackBarPosition(On(ids::kTabTools, c.slider)), c.position);
        EXPECT_EQ(TextOf(On(ids::kTabTools, c.label)), c.caption);
        const auto at = entries.find({L"Interface", c.name});
        EXPECT_EQ(at == entries.end() ? L"(missing)" : at->second, c.value);
    }
}

TEST_F(PipboyColour, DraggedSliderWritesItsValueWhereTheNameStands) {
    ASSERT_TRUE(WriteProfileFile(kPrefs, {L"[Display]", L"iSize W=1920", L"fPipboyEffectColorB=0.0900", L"[Interface]",
                                          L"fPipboyEffectColorR=0.0800", L"fPipboyEffectColorG=1.0000",
                                          L"fHUDOpacity=1.0000"}));
    const struct {
        int slider, label;
        int position;
        const wchar_t* section;
        const wchar_t* name;
        const wchar_t* value;
        const wchar_t* caption;
    } cases[] = {
        {ids::kTrackBarR, ids::kRedColorLabel, 12, L"Interface", L"fPipboyEffectColorR", L"1.2000", L"R: 12"},
        {ids::kTrackBarG, ids::kGreenColorLabel, 15, L"Interface", L"fPipboyEffectColorG", L"1.5000", L"G: 15"},
        {ids::kTrackBarB, ids::kBlueColorLabel, 5, L"Display", L"fPipboyEffectColorB", L"0.5000", L"B: 5"},
    };
    StartOnToolsTab();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IniEntries expected = ReadIniEntries(ProfilePath(kPrefs));
        expected[{c.section, c.name}] = c.value;
        DragTrackBar(On(ids::kTabTools, c.slider), c.position);
        EXPECT_TRUE(WaitFor([&] { return ReadIniEntries(ProfilePath(kPrefs)) == expected; }))
            << ReadBytes(ProfilePath(kPrefs)).value_or("(no file)");
        EXPECT_EQ(TextOf(On(ids::kTabTools, c.label)), c.caption);
    }
    // The swatch: 15 times each position, red 12, green 15, blue 5.
    const Picture swatch = CaptureWindow(On(ids::kTabTools, ids::kResultImage));
    ASSERT_FALSE(swatch.pixels.empty());
    EXPECT_EQ(swatch.pixels[static_cast<size_t>(swatch.height / 2) * swatch.width + swatch.width / 2], 0xB4E14Bu);
}

}  // namespace
}  // namespace e2e
