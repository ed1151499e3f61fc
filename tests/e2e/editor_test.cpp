// The settings editor as a user works it: Fallout76Prefs.ini line by line, one value
// edited, the search field, the stock profiles, and the four file buttons with what
// they leave on disk.
#include <gtest/gtest.h>

#include <algorithm>

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
constexpr wchar_t kSearchHint[] = L"Поиск параметра...";
constexpr wchar_t kSearchMiss[] = L"Поиск завершён, совпадений не найдено";

const std::vector<std::wstring> kPrefsLines = {
    L"[Display]", L"iSize W=1920", L"iMaxAnisotropy=16", L"", L"[Grass]", L"fGrassStartFadeDistance = 4500",
    L"[Interface]", L"fPipboyEffectColorR=0.0800"};
constexpr int kAnisotropyLine = 2, kGrassLine = 5;

// How many pixels of a colour a line of the list box shows.
size_t LinePixelsOfColour(HWND listBox, int line, uint32_t rgb) {
    const auto rows = ListBoxLineRows(listBox, line);
    if (!rows) return 0;
    const Picture shot = CaptureWindow(listBox);
    size_t n = 0;
    for (int y = std::max(rows->first, 0); y < std::min(rows->second, shot.height); ++y)
        for (int x = 0; x < shot.width; ++x) n += shot.pixels[static_cast<size_t>(y * shot.width + x)] == rgb;
    return n;
}

RECT ScreenRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

std::string Utf16Le(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

class SettingsEditor : public ProgramTest {
protected:
    HWND Get(int id) const { return On(ids::kTabEditor, id); }
    HWND Lines() const { return Get(ids::kFallout76PrefsiniListBox); }

    void StartOnEditorTab() {
        ASSERT_NE(Start(), nullptr);
        ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    }
    // Selects a line as a click does and waits for the two fields to show it.
    void SelectLine(int index, const std::wstring& name, const std::wstring& value) {
        SelectListBoxLine(Lines(), index);
        EXPECT_TRUE(WaitFor([&] { return TextOf(Get(ids::kParameterEdit)) == name && TextOf(Get(ids::kValueEdit)) == value; }))
            << "line " << index << " shows \"" << TextOf(Get(ids::kParameterEdit)) << "\" = \""
            << TextOf(Get(ids::kValueEdit)) << "\"";
    }
    // Types a value and presses Enter in the value field.
    void EnterValue(const std::wstring& value) {
        ASSERT_TRUE(SetEditText(Get(ids::kValueEdit), value));
        PostKey(Get(ids::kValueEdit), VK_RETURN);
    }
    // Types into the search field (empty: types nothing) and presses Enter there.
    void Search(const std::wstring& text) {
        if (!text.empty()) {
            ASSERT_TRUE(SetEditText(Get(ids::kSearchNotepadEdit), text));
        }
        PostKey(Get(ids::kSearchNotepadEdit), VK_RETURN);
    }
};

TEST_F(SettingsEditor, SelectedLineShowsItsNameAndValueAsTheyStand) {
    ASSERT_TRUE(WriteProfileFile(kPrefs, kPrefsLines));
    StartOnEditorTab();
    EXPECT_EQ(ListBoxLines(Lines()), kPrefsLines);
    const struct {
        int line;
        const wchar_t* name;
        const wchar_t* value;
    } cases[] = {
        {kAnisotropyLine, L"iMaxAnisotropy", L"16"},
        {kGrassLine, L"fGrassStartFadeDistance ", L" 4500"},  // blanks around "=" belong to name and value
        {0, L"", L""},                                         // a section header has neither
        {1, L"iSize W", L"1920"},
        {3, L"", L""},
    };
    for (const auto& c : cases) SelectLine(c.line, c.name, c.value);

    SelectLine(kGrassLine, L"fGrassStartFadeDistance ", L" 4500");
    const std::wstring folder = ScreenshotDir();
    ASSERT_FALSE(folder.empty()) << "RAVENLOCK_SCREENSHOT_DIR is not set";
    EXPECT_TRUE(SavePng(CaptureWindow(Window()), folder + L"tab4-editor.png"));
}

TEST_F(SettingsEditor, EnterReplacesTheLineAndOnlySaveWritesTheFile) {
    ASSERT_TRUE(WriteProfileFile(kPrefs, kPrefsLines));
    const std::string onDisk = AnsiLines(kPrefsLines);
    StartOnEditorTab();
    std::vector<std::wstring> expected = kPrefsLines;

    SelectLine(kAnisotropyLine, L"iMaxAnisotropy", L"16");
    EnterValue(L"0");
    expected[kAnisotropyLine] = L"iMaxAnisotropy=0";
    EXPECT_TRUE(WaitFor([&] { return ListBoxLines(Lines()) == expected; }));
    EXPECT_EQ(ListBoxSelection(Lines()), kAnisotropyLine) << "the selection stays on the line";
    EnterValue(L"");  // a value cannot be emptied here
    SelectLine(kGrassLine, L"fGrassStartFadeDistance ", L" 4500");
    EnterValue(L" 5500");
    expected[kGrassLine] = L"fGrassStartFadeDistance = 5500";
    EXPECT_TRUE(WaitFor([&] { return ListBoxLines(Lines()) == expected; }));
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(ReadBytes(ProfilePath(kPrefs)), onDisk) << "the file changed before the save";

    Click(Get(ids::kSavePrefsButton));
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(ProfilePath(kPrefs)) == AnsiLines(expected); }))
        << ReadBytes(ProfilePath(kPrefs)).value_or("(no file)");
}

TEST_F(SettingsEditor, LeavingTheTabDiscardsUnsavedEdits) {
    ASSERT_TRUE(WriteProfileFile(kPrefs, kPrefsLines));
    StartOnEditorTab();
    SelectLine(kAnisotropyLine, L"iMaxAnisotropy", L"16");
    EnterValue(L"4");
    ASSERT_TRUE(WaitFor([&] { return ListBoxLines(Lines()).at(kAnisotropyLine) == L"iMaxAnisotropy=4"; }));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabGame));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    EXPECT_EQ(ListBoxLines(Lines()), kPrefsLines);
    EXPECT_EQ(ReadBytes(ProfilePath(kPrefs)), AnsiLines(kPrefsLines));
}

TEST_F(SettingsEditor, SearchFindsAWholeNameInAnyLetterCase) {
    ASSERT_TRUE(WriteProfileFile(kPrefs, kPrefsLines));
    StartOnEditorTab();
    const struct {
        const wchar_t* typed;  // "": Enter on what the field holds
        const wchar_t* fieldAfter;
        int selected;  // the line then selected
        const wchar_t* name;
        const wchar_t* value;
    } steps[] = {
        {L"imaxanisotropy", L"imaxanisotropy", kAnisotropyLine, L"iMaxAnisotropy", L"16"},
        {L"iMaxAniso", kSearchMiss, kAnisotropyLine, L"iMaxAnisotropy", L"16"},  // no partial match
        {L"", L"", kAnisotropyLine, L"iMaxAnisotropy", L"16"},                   // Enter on the miss empties
        {L"fGrassStartFadeDistance", kSearchMiss, kAnisotropyLine, L"iMaxAnisotropy", L"16"},  // the name has a blank
        {L"ISIZE W", L"ISIZE W", 1, L"iSize W", L"1920"},
        {L"iSize W", L"iSize W", 1, L"iSize W", L"1920"},  // again from the top: the same line
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.typed);
        Search(s.typed);
        ASSERT_TRUE(Settle(Window()));
        EXPECT_EQ(TextOf(Get(ids::kSearchNotepadEdit)), s.fieldAfter);
        EXPECT_EQ(ListBoxSelection(Lines()), s.selected);
        EXPECT_EQ(TextOf(Get(ids::kParameterEdit)), s.name);
        EXPECT_EQ(TextOf(Get(ids::kValueEdit)), s.value);
    }
}

TEST_F(SettingsEditor, SearchHintGivesWayToTypingAndComesBackWhenLeftEmpty) {
    StartOnEditorTab();
    HWND search = Get(ids::kSearchNotepadEdit);
    EXPECT_EQ(TextOf(search), kSearchHint);
    PostLeftClick(search);
    EXPECT_TRUE(WaitFor([&] { return TextOf(search).empty(); })) << "shows \"" << TextOf(search) << "\"";
    PostLeftClick(Get(ids::kValueEdit));
    EXPECT_TRUE(WaitFor([&] { return TextOf(search) == kSearchHint; })) << "shows \"" << TextOf(search) << "\"";
    // Typed text stays when the field loses the focus.
    PostLeftClick(search);
    ASSERT_TRUE(WaitFor([&] { return TextOf(search).empty(); }));
    ASSERT_TRUE(SetEditText(search, L"bShowCompass"));
    PostLeftClick(Get(ids::kValueEdit));
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(TextOf(search), L"bShowCompass");
}

TEST_F(SettingsEditor, ProfileHeadingCyclesThroughTheStockProfiles) {
    StartOnEditorTab();
    HWND heading = Get(ids::kPrefsProfileLabel);
    HWND stock = Get(ids::kFallout76PrefsiniListBoxDefault);
    const auto decalsLine = [&] {
        for (const auto& line : ListBoxLines(stock))
            if (line.rfind(L"uMaxDecals=", 0) == 0) return line;
        return std::wstring(L"(none)");
    };
    EXPECT_EQ(TextOf(heading), L"Штатные значения профиля \"Medium\"");
    EXPECT_EQ(ListBoxLines(stock).size(), 57u);
    EXPECT_EQ(decalsLine(), L"uMaxDecals=100");
    const struct {
        const wchar_t* caption;
        const wchar_t* decals;
    } clicks[] = {
        {L"Штатные значения профиля \"Low\"", L"uMaxDecals=0"},
        {L"Штатные значения профиля \"Medium\"", L"uMaxDecals=100"},
        {L"Штатные значения профиля \"High\"", L"uMaxDecals=250"},
        {L"Штатные значения профиля \"Ultra\"", L"uMaxDecals=1000"},
        {L"Штатные значения профиля \"Low\"", L"uMaxDecals=0"},
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.caption);
        PostLeftClick(heading);
        EXPECT_TRUE(WaitFor([&] { return TextOf(heading) == c.caption; })) << "shows " << TextOf(heading);
        EXPECT_EQ(decalsLine(), c.decals);
        EXPECT_EQ(ListBoxLines(stock).size(), 57u);
    }
}

TEST_F(SettingsEditor, SaveKeepsTheEncodingAndEndsEveryLineWithCrLf) {
    const std::wstring before = L"[Display]\r\niMaxAnisotropy=16\r\n; Графика\r\n";
    const std::wstring after = L"[Display]\r\niMaxAnisotropy=8\r\n; Графика\r\n";
    const struct {
        const char* what;
        std::string file, saved;
    } cases[] = {
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + Utf8(before), "\xEF\xBB\xBF" + Utf8(after)},
        {"UTF-16 LE with its mark", Utf16Le(before), Utf16Le(after)},
        {"ANSI, bare LF, no break at the end", Cp1251(L"[Display]\niMaxAnisotropy=16\n; Графика"), Cp1251(after)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        ASSERT_TRUE(WriteBytes(ProfilePath(kPrefs), c.file));
        StartOnEditorTab();
        EXPECT_EQ(ListBoxLines(Lines()), (std::vector<std::wstring>{L"[Display]", L"iMaxAnisotropy=16", L"; Графика"}));
        SelectLine(1, L"iMaxAnisotropy", L"16");
        EnterValue(L"8");
        ASSERT_TRUE(WaitFor([&] { return ListBoxLines(Lines()).at(1) == L"iMaxAnisotropy=8"; }));
        Click(Get(ids::kSavePrefsButton));
        EXPECT_TRUE(WaitFor([&] { return ReadBytes(ProfilePath(kPrefs)) == c.saved; }))
            << ReadBytes(ProfilePath(kPrefs)).value_or("(no file)");
    }
}

TEST_F(SettingsEditor, BackupCopiesTheThreeFilesAndRestoreOffersItAtTheNextShowing) {
    StartOnEditorTab();
    HWND restore = Get(ids::kRestorePrefsButton);
    EXPECT_FALSE(IsEnabled(restore)) << "there is no backup yet";
    Click(Get(ids::kCopyPrefsButton));
    for (const wchar_t* name : {kIni, kPrefs, kCustom}) {
        SCOPED_TRACE(name);
        const auto original = ReadBytes(ProfilePath(name));
        ASSERT_TRUE(original.has_value());
        EXPECT_TRUE(WaitFor([&] { return ReadBytes(ProfilePath(std::wstring(L"Backup_") + name)) == original; }));
    }
    ASSERT_TRUE(Settle(Window()));
    EXPECT_FALSE(IsEnabled(restore)) << "no button refreshes the tab";
    ASSERT_TRUE(ShowTab(Window(), ids::kTabGame));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    EXPECT_TRUE(IsEnabled(restore));
}

TEST_F(SettingsEditor, RestoreStopsAtTheFirstMissingBackup) {
    const std::string iniBackup = AnsiLines({L"[General]", L"sLanguage=ru", L"uGridsToLoad=7"});
    const std::string prefsBackup = AnsiLines({L"[Display]", L"iSize W=2560", L"iSize H=1440"});
    ASSERT_TRUE(WriteBytes(ProfilePath(L"Backup_Fallout76.ini"), iniBackup));
    ASSERT_TRUE(WriteBytes(ProfilePath(L"Backup_Fallout76Prefs.ini"), prefsBackup));
    StartOnEditorTab();
    const auto custom = ReadBytes(ProfilePath(kCustom));
    ASSERT_TRUE(custom.has_value());
    ASSERT_TRUE(IsEnabled(Get(ids::kRestorePrefsButton)));

    Click(Get(ids::kRestorePrefsButton));
    HWND box = Running().WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box appeared";
    EXPECT_EQ(TextOf(box), ids::kMessageBoxTitle);
    EXPECT_EQ(MessageBoxText(box), L"The specified file was not found");
    Answer(box, IDOK);
    EXPECT_EQ(ReadBytes(ProfilePath(kIni)), iniBackup);
    EXPECT_EQ(ReadBytes(ProfilePath(kPrefs)), prefsBackup);
    EXPECT_EQ(ReadBytes(ProfilePath(kCustom)), custom) << "the third file has no backup";
    EXPECT_TRUE(ExistsAsFile(ProfilePath(L"Backup_Fallout76.ini")));
    EXPECT_TRUE(ExistsAsFile(ProfilePath(L"Backup_Fallout76Prefs.ini")));
    // The failure came half way, between making the files writable and guarding them again.
    EXPECT_TRUE(GameIniFilesReadOnly()) << "the failed restore left the game's files writable";
}

TEST_F(SettingsEditor, DeleteRemovesTheThreeFilesAndTheNextShowingDisablesThePage) {
    StartOnEditorTab();
    for (const wchar_t* name : {kIni, kPrefs, kCustom}) ASSERT_TRUE(ExistsAsFile(ProfilePath(name))) << name;
    Click(Get(ids::kDeletePrefsButton));
    for (const wchar_t* name : {kIni, kPrefs, kCustom})
        EXPECT_TRUE(WaitFor([&] { return !ExistsAsFile(ProfilePath(name)); })) << name;
    ASSERT_TRUE(Settle(Window()));
    EXPECT_TRUE(IsEnabled(Page(Window(), ids::kTabEditor))) << "the page stays usable until it is shown again";
    EXPECT_TRUE(Running().Dialogs().empty()) << "the delete asked or complained";
    ASSERT_TRUE(ShowTab(Window(), ids::kTabGame));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    EXPECT_FALSE(IsEnabled(Page(Window(), ids::kTabEditor)));
}

TEST_F(SettingsEditor, LinesThatTheCustomFileOverridesAreGreyAndNameTheValueThatApplies) {
    constexpr uint32_t kGrey = 0x808080, kBlack = 0x000000;
    constexpr wchar_t kNote[] = L"Действует: 4 из Fallout76Custom.ini";
    const std::vector<std::wstring> prefs = {L"[Display]", L"iSize W=1920", L"iMaxAnisotropy=16", L"[Grass]",
                                             L"fGrassStartFadeDistance=4500"};
    constexpr int kSizeLine = 1, kOverriddenLine = 2, kGrassLine = 4;
    // Section and key in other letter cases, blanks around "=": the same key for the game.
    ASSERT_TRUE(WriteProfileFile(kCustom, {L"[General]", L"bSkipSplash=1", L"[display]", L"IMAXANISOTROPY = 4",
                                           L"[Grass]", L"fGrassStartFadeDistance=9000"}));
    ASSERT_TRUE(WriteProfileFile(kPrefs, prefs));
    StartOnEditorTab();
    ASSERT_TRUE(WaitFor([&] { return ListBoxLines(Lines()) == prefs; }));
    HWND note = Get(ids::kEffectiveValueLabel);

    // Nothing is selected yet: the lines show their own colours.
    EXPECT_TRUE(WaitFor([&] { return LinePixelsOfColour(Lines(), kOverriddenLine, kGrey) > 0; }))
        << "the overridden line is not grey";
    EXPECT_EQ(LinePixelsOfColour(Lines(), kOverriddenLine, kBlack), 0u) << "the overridden line is partly black";
    EXPECT_GT(LinePixelsOfColour(Lines(), kSizeLine, kBlack), 0u) << "a line nothing overrides is not black";
    EXPECT_EQ(LinePixelsOfColour(Lines(), kSizeLine, kGrey), 0u) << "a line nothing overrides is grey";
    EXPECT_EQ(TextOf(note), L"");

    // The note lies just under the value field, above the search field.
    const RECT value = ScreenRectOf(Get(ids::kValueEdit)), noteAt = ScreenRectOf(note),
               search = ScreenRectOf(Get(ids::kSearchNotepadEdit));
    EXPECT_EQ(noteAt.left, value.left);
    EXPECT_GE(noteAt.top, value.bottom);
    EXPECT_LE(noteAt.bottom, search.top);

    input::LeftClick(ListBoxLineCentre(Lines(), kOverriddenLine));
    EXPECT_TRUE(WaitFor([&] { return TextOf(note) == kNote; })) << "the note reads \"" << TextOf(note) << "\"";
    EXPECT_EQ(ListBoxSelection(Lines()), kOverriddenLine);
    EXPECT_EQ(TextOf(Get(ids::kParameterEdit)), L"iMaxAnisotropy");
    EXPECT_EQ(TextOf(Get(ids::kValueEdit)), L"16") << "the field shows the line's own value";
    ASSERT_FALSE(ScreenshotDir().empty()) << "RAVENLOCK_SCREENSHOT_DIR is not set";
    EXPECT_TRUE(SavePng(CaptureWindow(Window()), ScreenshotDir() + L"editor-overridden-line.png"));

    input::LeftClick(ListBoxLineCentre(Lines(), kSizeLine));
    EXPECT_TRUE(WaitFor([&] { return TextOf(Get(ids::kValueEdit)) == L"1920"; }));
    EXPECT_EQ(TextOf(note), L"") << "a line nothing overrides has a note";

    // The keyboard moves through the lines as before: an arrow key, then a first letter.
    const struct {
        WORD key;
        int line;
        const wchar_t* value;
        const wchar_t* note;
    } keys[] = {
        {VK_DOWN, kOverriddenLine, L"16", kNote},
        {'F', kGrassLine, L"4500", L"Действует: 9000 из Fallout76Custom.ini"},
        {VK_UP, kGrassLine - 1, L"", L""},
        {VK_UP, kOverriddenLine, L"16", kNote},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.line);
        input::PressKeys({k.key});
        EXPECT_TRUE(WaitFor([&] { return ListBoxSelection(Lines()) == k.line; }))
            << "line " << ListBoxSelection(Lines()) << " is selected";
        EXPECT_TRUE(WaitFor([&] { return TextOf(Get(ids::kValueEdit)) == k.value && TextOf(note) == k.note; }))
            << "shows \"" << TextOf(Get(ids::kValueEdit)) << "\" and \"" << TextOf(note) << "\"";
    }

    // Another program takes the grass key out of the Custom file; the save shows it, and
    // the saved line it still overrides keeps its note.
    ASSERT_TRUE(WriteProfileFile(kCustom, {L"[Display]", L"iMaxAnisotropy=4"}));
    ASSERT_TRUE(LinePixelsOfColour(Lines(), kGrassLine, kGrey) > 0);
    Click(Get(ids::kSavePrefsButton));
    EXPECT_TRUE(WaitFor([&] { return LinePixelsOfColour(Lines(), kGrassLine, kGrey) == 0; }))
        << "the grass line stays grey after the save";
    EXPECT_EQ(ListBoxSelection(Lines()), kOverriddenLine);
    EXPECT_EQ(TextOf(note), kNote) << "a saved key is still overridden";
}

}  // namespace
}  // namespace e2e
