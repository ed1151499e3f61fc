// The twenty game-file boxes of the Tools tab against the table of what each writes, and
// the read-only guard around every handler that writes the game's files, checked on disk.
#include <gtest/gtest.h>

#include "disk_files.h"
#include "launch_common.h"
#include "program_test.h"
#include "remote_controls.h"

namespace e2e {
namespace {

using namespace sandbox;

constexpr wchar_t kIni[] = L"Fallout76.ini";
constexpr wchar_t kPrefs[] = L"Fallout76Prefs.ini";
constexpr wchar_t kCustom[] = L"Fallout76Custom.ini";
// Stands where every key of the table is in the fixture: no box writes it, and it fills
// no box as checked (only the inverted ones, which count anything but "1" as checked).
constexpr wchar_t kUntouched[] = L"7";

struct Key {
    const wchar_t *section, *key, *whenChecked, *whenUnchecked;
};
struct Box {
    int tag;
    const wchar_t* file;
    std::vector<Key> keys;
};

const std::vector<Box>& Table() {
    static const std::vector<Box> table = {
        {1, kIni, {{L"Weather", L"bFogEnabled", L"1", L"0"}}},
        {2, kIni, {{L"ImageSpace", L"bDoRadialBlur", L"1", L"0"}, {L"ImageSpace", L"bMBEnable", L"1", L"0"}}},
        {3, kPrefs, {{L"ImageSpace", L"bDoDepthOfField", L"1", L"0"}}},
        {4, kIni, {{L"ScreenSplatter", L"bBloodSplatterEnabled", L"1", L"0"}}},
        {5, kIni, {{L"Weather", L"bRainOcclusion", L"1", L"0"}}},
        {6, kIni, {{L"Weather", L"bWetnessOcclusion", L"1", L"0"}}},
        {7, kPrefs, {{L"ImageSpace", L"bLensFlare", L"1", L"0"}}},
        {8, kPrefs, {{L"ImageSpace", L"bScreenSpaceBokeh", L"1", L"0"}}},
        {9, kPrefs, {{L"Display", L"bVolumetricLightingEnable", L"1", L"0"}}},
        {10, kPrefs, {{L"Water", L"bUseWaterHiRes", L"1", L"0"}}},
        {11, kPrefs, {{L"Display", L"bSAOEnable", L"1", L"0"}}},
        {12, kPrefs, {{L"LightingShader", L"bScreenSpaceReflections", L"1", L"0"}}},
        {13, kPrefs, {{L"Display", L"iPresentInterval", L"1", L"0"}}},
        {14, kPrefs, {{L"Display", L"sAntiAliasing", L"TAA", L"0"}}},
        {15, kIni,
         {{L"General", L"sIntroSequence", L"0", L"BGSLogo4k.bk2"},
          {L"General", L"uMainMenuDelayBeforeAllowSkip", L"0", L"1500"}}},
        {16, kPrefs, {{L"GamePlay", L"bShowPublicTeamNotifications", L"0", L"1"}}},
        {17, kPrefs, {{L"Interface", L"bShowTutorials", L"0", L"1"}}},
        {18, kCustom, {{L"General", L"bSkipSplash", L"1", L"0"}, {L"Login", L"bAutoSignIn", L"1", L"0"}}},
        {19, kPrefs, {{L"Adventure", L"bShowDamageNumbers", L"1", L"0"}}},
        {20, kIni, {{L"Display", L"bFull Screen", L"1", L"0"}, {L"Display", L"bBorderless", L"1", L"0"}}},
    };
    return table;
}

// Each file of the table with every key of it at kUntouched, section by section.
bool WriteFixtures() {
    for (const wchar_t* file : {kIni, kPrefs, kCustom}) {
        std::map<std::wstring, std::vector<std::wstring>> sections;
        for (const auto& box : Table())
            if (box.file == file)
                for (const auto& k : box.keys) sections[k.section].push_back(std::wstring(k.key) + L"=" + kUntouched);
        std::vector<std::wstring> lines;
        for (const auto& [section, entries] : sections) {
            lines.push_back(L"[" + section + L"]");
            lines.insert(lines.end(), entries.begin(), entries.end());
        }
        if (!WriteProfileFile(file, lines)) return false;
    }
    return true;
}

bool Checked(HWND box) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

std::map<std::wstring, IniEntries> AllEntries() {
    std::map<std::wstring, IniEntries> all;
    for (const wchar_t* file : {kIni, kPrefs, kCustom}) all[file] = ReadIniEntries(ProfilePath(file));
    return all;
}

class GameFileOptions : public ProgramTest {};

TEST_F(GameFileOptions, EachBoxWritesItsKeysForBothStatesAndLeavesTheFilesReadOnly) {
    ASSERT_TRUE(WriteFixtures());
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(ShowTab(Window(), ids::kTabTools));
    ASSERT_TRUE(GameIniFilesReadOnly()) << "the first showing left the files writable";
    for (const auto& box : Table()) {
        SCOPED_TRACE(testing::Message() << "box " << box.tag);
        HWND control = On(ids::kTabTools, ids::kCheckBoxFirst + box.tag);
        for (const bool startWritable : {true, false}) {
            // Both ways in: files another program left writable, and files as the guard leaves them.
            if (startWritable) MakeGameIniFilesWritable();
            auto expected = AllEntries();
            const bool checked = !Checked(control);
            for (const auto& k : box.keys)
                expected[box.file][{k.section, k.key}] = checked ? k.whenChecked : k.whenUnchecked;
            Click(control);
            EXPECT_TRUE(WaitFor([&] { return AllEntries() == expected; }))
                << (checked ? "checked: " : "unchecked: ") << ReadBytes(ProfilePath(box.file)).value_or("(no file)");
            EXPECT_EQ(Checked(control), checked);
            ASSERT_TRUE(Settle(Window()));
            EXPECT_TRUE(GameIniFilesReadOnly()) << "the click left the files writable";
        }
    }
    EXPECT_TRUE(Running().Dialogs().empty());
}

TEST_F(GameFileOptions, EveryHandlerThatWritesTheFilesLeavesThemReadOnly) {
    ASSERT_NE(Start(), nullptr);
    HWND editorList = On(ids::kTabEditor, ids::kFallout76PrefsiniListBox);
    const struct {
        const char* handler;
        std::function<void()> act;
    } handlers[] = {
        {"Tools tab shown", [&] { ASSERT_TRUE(ShowTab(Window(), ids::kTabTools)); }},
        {"option clicked", [&] { Click(On(ids::kTabTools, ids::kCheckBoxFirst + 1)); }},
        {"slider dragged", [&] { DragTrackBar(On(ids::kTabTools, ids::kTrackBarR), 12); }},
        {"language toggled",
         [&] {
             ASSERT_TRUE(ShowTab(Window(), ids::kTabGame));
             PostLeftClick(On(ids::kTabGame, ids::kLanguageSwitch));
         }},
        {"editor saved",
         [&] {
             ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
             ASSERT_TRUE(WaitFor([&] { return !ListBoxLines(editorList).empty(); }));
             Click(On(ids::kTabEditor, ids::kSavePrefsButton));
         }},
        {"backup made", [&] { Click(On(ids::kTabEditor, ids::kCopyPrefsButton)); }},
        {"backup restored",
         [&] {
             ASSERT_TRUE(ShowTab(Window(), ids::kTabGame));
             ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
             ASSERT_TRUE(WaitFor([&] { return IsEnabled(On(ids::kTabEditor, ids::kRestorePrefsButton)); }));
             Click(On(ids::kTabEditor, ids::kRestorePrefsButton));
         }},
    };
    for (const auto& h : handlers) {
        SCOPED_TRACE(h.handler);
        MakeGameIniFilesWritable();
        ASSERT_NO_FATAL_FAILURE(h.act());
        ASSERT_TRUE(Settle(Window()));
        EXPECT_TRUE(WaitFor(GameIniFilesReadOnly)) << "the files stay writable";
        EXPECT_TRUE(Running().Dialogs().empty()) << "the handler complained";
    }
    // The fourth editor button leaves nothing that could be writable.
    MakeGameIniFilesWritable();
    Click(On(ids::kTabEditor, ids::kDeletePrefsButton));
    for (const auto& file : GameIniFiles()) EXPECT_TRUE(WaitFor([&] { return !ExistsAsFile(file); })) << "kept";
}

}  // namespace
}  // namespace e2e
