// The "Моды" tab driven with real clicks and keys: a check and an uncheck write the list
// key of the custom file and nothing else, the order changes with "Выше", "Ниже",
// Ctrl+arrows and a drag, the right-click menu moves a mod between the lists, the
// switch-all-off and back on, the line after a game update, and two archives sharing a
// file shown as a conflict.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "app/control_ids.h"
#include "disk_files.h"
#include "launch_common.h"
#include "program_test.h"
#include "real_input.h"
#include "remote_controls.h"
#include "support/ba2_bytes.h"

namespace e2e {
namespace {

using namespace sandbox;
namespace ids = ravenlock::ids;
using Lines = std::vector<std::wstring>;

constexpr wchar_t kIni[] = L"Fallout76.ini";
constexpr wchar_t kPrefs[] = L"Fallout76Prefs.ini";
constexpr wchar_t kCustom[] = L"Fallout76Custom.ini";
constexpr wchar_t kAction[] = L"Изменить список модов";
constexpr wchar_t kStubVersion[] = L"1.7.23.4";  // the stub game's version resource

// A small archive in Data holding these files.
bool PutMod(const std::wstring& name, const std::vector<std::string>& files = {"meshes/x.nif"}) {
    CreateDirectoryW(kDataFolder, nullptr);
    return WriteBytes(kDataFolder + name, ravenlock::testing::Ba2Bytes(1, "GNRL", files));
}

// The custom file's lines around an [Archive] section with the given list lines.
Lines CustomWith(const Lines& archiveLines) {
    Lines lines = {L"; мои настройки", L"[General]", L"sIntroSequence=0", L"", L"[Archive]", L"bInvalidateOlderFiles=1"};
    lines.insert(lines.end(), archiveLines.begin(), archiveLines.end());
    lines.insert(lines.end(), {L"", L"[Display]", L"fDefault1stPersonFOV=90"});
    return lines;
}

std::wstring EntryOf(const std::wstring& key) {
    const IniEntries entries = ReadIniEntries(ProfilePath(kCustom));
    const auto at = entries.find({L"Archive", key});
    return at == entries.end() ? L"(missing)" : at->second;
}

// The texts of one column of the list, top to bottom.
Lines Column(HWND list, int column) {
    Lines cells;
    for (auto& row : ListViewTable(list, column + 1)) cells.push_back(std::move(row[static_cast<size_t>(column)]));
    return cells;
}

bool ReadOnly(const wchar_t* file) { return GetFileAttributesW(ProfilePath(file).c_str()) & FILE_ATTRIBUTE_READONLY; }

// The actions of the restore points made so far.
std::vector<std::string> PointActions() {
    std::vector<std::string> actions;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(RestorePointsFolder()), error))
        if (entry.is_directory())
            actions.push_back(ReadBytes((entry.path() / L"action.txt").wstring()).value_or("(no action)"));
    return actions;
}

class ModsTab : public ProgramTest {
protected:
    HWND Ctl(int id) const { return On(ids::kTabMods, id); }
    HWND List() const { return Ctl(ids::kModsList); }
    void StartOnModsTab() {
        ASSERT_NE(Start(), nullptr);
        ASSERT_TRUE(ShowTab(Window(), ids::kTabMods));
    }
    bool RowsAre(const Lines& names) const { return WaitFor([&] { return ListViewRows(List()) == names; }); }
    void ClickRow(int row, bool checkBox = false) {
        const auto at = ListViewRowPoint(List(), row, checkBox);
        ASSERT_TRUE(at.has_value()) << "row " << row;
        input::LeftClick(*at);
        ASSERT_TRUE(Settle(Window()));
    }
};

TEST_F(ModsTab, CheckAndUncheckWriteOnlyTheListKey) {
    for (const wchar_t* mod : {L"Keep.ba2", L"New.ba2"}) ASSERT_TRUE(PutMod(mod));
    ASSERT_TRUE(PutMod(L"SeventySix - Interface.ba2"));  // the game's own: never a row
    const Lines before = CustomWith({L"sResourceArchive2List=Keep.ba2"});
    ASSERT_TRUE(WriteProfileFile(kCustom, before));
    StartOnModsTab();
    ASSERT_TRUE(RowsAre({L"Keep.ba2", L"New.ba2"})) << testing::PrintToString(ListViewRows(List()));
    EXPECT_EQ(ListViewChecks(List()), (std::vector<bool>{true, false}));
    EXPECT_EQ(Column(List(), 1), (Lines{L"Основной", L""}));
    EXPECT_TRUE(PointActions().empty()) << "the showing wrote";

    const struct {
        const char* what;
        int row;
        Lines archive;  // the list lines the file then holds
        Lines rows;
    } steps[] = {
        {"New.ba2 checked: at the end of the main list", 1, {L"sResourceArchive2List=Keep.ba2, New.ba2"},
         {L"Keep.ba2", L"New.ba2"}},
        {"Keep.ba2 unchecked", 0, {L"sResourceArchive2List=New.ba2"}, {L"New.ba2", L"Keep.ba2"}},
        {"New.ba2 unchecked: the key goes", 0, {}, {L"Keep.ba2", L"New.ba2"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        ClickRow(step.row, true);
        const std::string expected = AnsiLines(CustomWith(step.archive));
        EXPECT_TRUE(WaitFor([&] { return ReadBytes(ProfilePath(kCustom)) == expected; }))
            << ReadBytes(ProfilePath(kCustom)).value_or("(no file)");
        EXPECT_TRUE(RowsAre(step.rows)) << testing::PrintToString(ListViewRows(List()));
        for (const wchar_t* file : {kIni, kPrefs, kCustom}) EXPECT_TRUE(ReadOnly(file)) << testing::PrintToString(file);
    }
    EXPECT_EQ(ListViewChecks(List()), (std::vector<bool>{false, false}));
    const auto actions = PointActions();
    ASSERT_EQ(actions.size(), 1u) << "one restore point for the showing";
    EXPECT_NE(actions[0].find(Utf8(kAction)), std::string::npos) << actions[0];
    // The point holds the file as it was before the first check.
    EXPECT_TRUE(ReadOnly(kCustom));
}

TEST_F(ModsTab, ButtonsKeysAndADragChangeTheOrderWithinItsList) {
    for (const wchar_t* mod : {L"a.ba2", L"b.ba2", L"c.ba2", L"s.ba2", L"off.ba2"}) ASSERT_TRUE(PutMod(mod));
    ASSERT_TRUE(WriteProfileFile(
        kCustom, CustomWith({L"sResourceArchive2List=a.ba2, b.ba2, c.ba2", L"sResourceStartUpArchiveList=s.ba2"})));
    StartOnModsTab();
    ASSERT_TRUE(RowsAre({L"a.ba2", L"b.ba2", L"c.ba2", L"s.ba2", L"off.ba2"}));
    ClickRow(2);  // c.ba2
    ASSERT_EQ(ListViewSelection(List()), 2);
    EXPECT_FALSE(IsEnabled(Ctl(ids::kModsDownButton))) << "the last of its list";

    const struct {
        const char* what;
        std::function<void()> act;
        const wchar_t* main;
        int selected;
    } steps[] = {
        {"Выше", [&] { Click(Ctl(ids::kModsUpButton)); }, L"a.ba2, c.ba2, b.ba2", 1},
        {"Ctrl+Up", [&] { ClickRow(1), input::PressKeys({VK_CONTROL, VK_UP}); }, L"c.ba2, a.ba2, b.ba2", 0},
        {"Ниже", [&] { Click(Ctl(ids::kModsDownButton)); }, L"a.ba2, c.ba2, b.ba2", 1},
        {"Ctrl+Down", [&] { ClickRow(1), input::PressKeys({VK_CONTROL, VK_DOWN}); }, L"a.ba2, b.ba2, c.ba2", 2},
        {"Ctrl+Down at the end of its list stays", [&] { input::PressKeys({VK_CONTROL, VK_DOWN}); },
         L"a.ba2, b.ba2, c.ba2", 2},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_TRUE(WaitFor([&] { return EntryOf(L"sResourceArchive2List") == step.main; }))
            << testing::PrintToString(EntryOf(L"sResourceArchive2List"));
        ASSERT_TRUE(Settle(Window()));
        EXPECT_EQ(ListViewSelection(List()), step.selected);
    }

    // A drag of the first row onto the third puts it there; one dragged past the main list's
    // end stays at that end.
    const auto drag = [&](int from, int to) {
        const auto a = ListViewRowPoint(List(), from, false), b = ListViewRowPoint(List(), to, false);
        ASSERT_TRUE(a && b);
        input::LeftPress(*a);
        for (int k = 1; k <= 4; ++k) input::MoveTo({a->x, a->y + (b->y - a->y) * k / 4});
        input::LeftRelease(*b);
        ASSERT_TRUE(Settle(Window()));
    };
    drag(0, 2);
    EXPECT_TRUE(WaitFor([&] { return EntryOf(L"sResourceArchive2List") == L"b.ba2, c.ba2, a.ba2"; }))
        << testing::PrintToString(EntryOf(L"sResourceArchive2List"));
    EXPECT_TRUE(RowsAre({L"b.ba2", L"c.ba2", L"a.ba2", L"s.ba2", L"off.ba2"}));
    drag(0, 4);
    EXPECT_TRUE(WaitFor([&] { return EntryOf(L"sResourceArchive2List") == L"c.ba2, a.ba2, b.ba2"; }))
        << testing::PrintToString(EntryOf(L"sResourceArchive2List"));
    EXPECT_EQ(EntryOf(L"sResourceStartUpArchiveList"), L"s.ba2");

    // The right-click menu's check item moves the mod to the other list's end.
    const auto a = ListViewRowPoint(List(), 1, false);  // a.ba2
    ASSERT_TRUE(a);
    input::RightClick(*a);
    HWND menu = WaitForPopupMenu(Running().Id());
    ASSERT_NE(menu, nullptr);
    ChooseFromBottomOfMenu(menu, 2);  // "Загружать при запуске игры"
    EXPECT_TRUE(WaitFor([&] { return EntryOf(L"sResourceStartUpArchiveList") == L"s.ba2, a.ba2"; }))
        << testing::PrintToString(EntryOf(L"sResourceStartUpArchiveList"));
    EXPECT_EQ(EntryOf(L"sResourceArchive2List"), L"c.ba2, b.ba2");
    EXPECT_TRUE(RowsAre({L"c.ba2", L"b.ba2", L"s.ba2", L"a.ba2", L"off.ba2"}));
    EXPECT_EQ(Column(List(), 1)[3], L"При запуске");
    EXPECT_EQ(PointActions().size(), 1u);
}

TEST_F(ModsTab, AListedNameWithoutItsFileLeavesTheListOnRemoval) {
    ASSERT_TRUE(PutMod(L"here.ba2"));
    ASSERT_TRUE(WriteProfileFile(kCustom, CustomWith({L"sResourceArchive2List=Gone.ba2, here.ba2"})));
    StartOnModsTab();
    ASSERT_TRUE(RowsAre({L"Gone.ba2", L"here.ba2"}));
    EXPECT_EQ(Column(List(), 2)[0], L"нет файла");
    ClickRow(0);
    EXPECT_NE(TextOf(Ctl(ids::kModsDetailsBox)).find(L"Файла нет в папке Data"), std::wstring::npos);
    Click(Ctl(ids::kModsRemoveButton));
    EXPECT_TRUE(WaitFor([&] { return EntryOf(L"sResourceArchive2List") == L"here.ba2"; }))
        << testing::PrintToString(EntryOf(L"sResourceArchive2List"));
    EXPECT_TRUE(RowsAre({L"here.ba2"}));
    EXPECT_TRUE(ExistsAsFile(kDataFolder + std::wstring(L"here.ba2")));
}

TEST_F(ModsTab, SwitchAllOffAndOnAgain) {
    for (const wchar_t* mod : {L"b.ba2", L"a.ba2", L"s.ba2"}) ASSERT_TRUE(PutMod(mod));
    const Lines lists = {L"sResourceArchive2List=b.ba2, a.ba2", L"sResourceStartUpArchiveList=s.ba2"};
    ASSERT_TRUE(WriteProfileFile(kCustom, CustomWith(lists)));
    StartOnModsTab();
    HWND button = Ctl(ids::kModsSwitchAllButton);
    ASSERT_EQ(TextOf(button), L"Выключить все моды");
    Click(button);
    const std::string off = AnsiLines(CustomWith({}));
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(ProfilePath(kCustom)) == off; }))
        << ReadBytes(ProfilePath(kCustom)).value_or("(no file)");
    EXPECT_TRUE(WaitFor([&] { return TextOf(button) == L"Включить моды снова"; }));
    EXPECT_EQ(ListViewChecks(List()), (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(ReadString(kSettingsKey, L"ModsSwitchedOff").has_value());
    EXPECT_TRUE(ReadOnly(kCustom));
    ASSERT_EQ(PointActions().size(), 1u);

    // An archive vanishes before the mods come back: named in the message, put back all the same.
    ASSERT_TRUE(DeleteFileAnyway(kDataFolder + std::wstring(L"s.ba2")));
    Click(button);
    HWND box = Running().WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_NE(MessageBoxText(box).find(L"s.ba2"), std::wstring::npos) << MessageBoxText(box);
    Answer(box, IDOK);
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(ProfilePath(kCustom)) == AnsiLines(CustomWith(lists)); }))
        << ReadBytes(ProfilePath(kCustom)).value_or("(no file)");
    EXPECT_TRUE(WaitFor([&] { return TextOf(button) == L"Выключить все моды"; }));
    EXPECT_TRUE(RowsAre({L"b.ba2", L"a.ba2", L"s.ba2"}));
    EXPECT_EQ(Column(List(), 2)[2], L"нет файла");
    EXPECT_EQ(PointActions().size(), 2u) << "each switch makes its own point";
}

TEST_F(ModsTab, TheUpdateLineFollowsTheVersionLastPlayedWithMods) {
    ASSERT_TRUE(PutMod(L"hud.ba2"));
    ASSERT_TRUE(WriteProfileFile(kCustom, CustomWith({L"sResourceArchive2List=hud.ba2"})));
    ASSERT_NE(Start(), nullptr);
    // A launch with a mod on remembers the game's version; the line stays away.
    PostCommand(Window(), ids::kRunFallout76ForceN);
    EXPECT_TRUE(WaitFor([] { return ReadString(kSettingsKey, L"ModsGameVersion") == std::wstring(kStubVersion); }));
    for (DWORD pid : GameProcesses())
        if (HANDLE game = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) TerminateProcess(game, 0), CloseHandle(game);
    ASSERT_TRUE(ShowTab(Window(), ids::kTabMods));
    EXPECT_FALSE(IsShown(Ctl(ids::kModsUpdateLabel)));

    // The game has been updated since that launch.
    ASSERT_TRUE(WriteString(kSettingsKey, L"ModsGameVersion", L"1.7.22.0"));
    ASSERT_NE(Start(), nullptr);
    HWND pointer = PageControl(Window(), ids::kPageFirst + ids::kTabGame, ids::kModsUpdatePointerLabel);
    EXPECT_TRUE(WaitFor([&] { return IsShown(pointer); })) << "the Game tab's pointer";
    EXPECT_NE(TextOf(pointer).find(L"«Моды»"), std::wstring::npos) << TextOf(pointer);
    ClickLabel(pointer);
    ASSERT_TRUE(WaitFor([&] { return IsShown(Page(Window(), ids::kTabMods)); })) << "the pointer leads to the tab";
    HWND line = Ctl(ids::kModsUpdateLabel);
    EXPECT_TRUE(WaitFor([&] { return IsShown(line); }));
    EXPECT_EQ(TextOf(line), std::wstring(L"Игра обновилась (1.7.22.0 → ") + kStubVersion +
                                L"). Моды интерфейса часто перестают работать после обновления: если игра вылетает, "
                                L"выключите моды.");
    ASSERT_TRUE(IsShown(Ctl(ids::kModsUpdateSwitchOffButton)));
    Click(Ctl(ids::kModsUpdateSwitchOffButton));
    EXPECT_TRUE(WaitFor([] { return EntryOf(L"sResourceArchive2List") == L"(missing)"; }));
    EXPECT_TRUE(WaitFor([&] { return !IsShown(line); })) << "no mod is on";
    ASSERT_TRUE(ShowTab(Window(), ids::kTabGame));
    EXPECT_TRUE(WaitFor([&] { return !IsShown(pointer); }));
}

TEST_F(ModsTab, TwoArchivesSharingAFileShowTheConflict) {
    ASSERT_TRUE(PutMod(L"HudA.ba2", {"interface/hudmenu.swf", "textures/a.dds"}));
    ASSERT_TRUE(PutMod(L"HudB.ba2", {"Interface\\HUDMenu.swf"}));
    ASSERT_TRUE(PutMod(L"Quiet.ba2", {"sound/x.xwm"}));
    ASSERT_TRUE(PutMod(L"Off.ba2", {"interface/hudmenu.swf"}));  // off: shares nothing with the game
    ASSERT_TRUE(WriteProfileFile(kCustom, CustomWith({L"sResourceArchive2List=HudA.ba2, Quiet.ba2, HudB.ba2, Gone.ba2"})));
    // After a game update, for the screenshot.
    ASSERT_TRUE(WriteString(kSettingsKey, L"ModsGameVersion", L"1.7.22.0"));
    StartOnModsTab();
    ASSERT_TRUE(RowsAre({L"HudA.ba2", L"Quiet.ba2", L"HudB.ba2", L"Gone.ba2", L"Off.ba2"}));
    EXPECT_EQ(Column(List(), 4), (Lines{L"1", L"", L"1", L"", L""}));
    EXPECT_EQ(Column(List(), 3), (Lines{L"2", L"1", L"1", L"", L"1"}));

    const struct {
        int row;
        const wchar_t* part;
    } details[] = {
        {2, L"Заменяет файлы модов, загруженных раньше:\r\n  HudA.ba2 (1):\r\n    interface\\hudmenu.swf"},
        {0, L"Его файлы заменяют моды, загруженные позже:\r\n  HudB.ba2 (1):\r\n    interface\\hudmenu.swf"},
        {1, L"Общих файлов с другими включёнными модами нет."},
        {4, L"Мод выключен"},
    };
    for (const auto& d : details) {
        ClickRow(d.row);
        const std::wstring text = TextOf(Ctl(ids::kModsDetailsBox));
        EXPECT_NE(text.find(d.part), std::wstring::npos) << d.row << ": " << testing::PrintToString(text);
        EXPECT_NE(text.find(L"Тип архива: GNRL"), std::wstring::npos) << d.row;
    }
    ClickRow(2);
    EXPECT_TRUE(IsShown(Ctl(ids::kModsUpdateLabel)));
    if (!ScreenshotDir().empty()) SavePng(CaptureWindow(Window()), ScreenshotDir() + L"mods-conflict-update.png");
}

// The closing message of an install or removal: its text, once answered with OK.
std::wstring AnswerMessage(Program& program) {
    HWND box = program.WaitForMessageBox();
    if (!box) return L"(no message)";
    const std::wstring text = MessageBoxText(box);
    Answer(box, IDOK);
    return text;
}

std::wstring Fixture(const wchar_t* name) { return BinDir() + L"mod-fixtures\\" + name; }

// The names in a folder, folders with a closing backslash.
std::set<std::wstring> NamesIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    std::error_code error;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(folder), error))
        names.insert(e.path().filename().wstring() + (e.is_directory() ? L"\\" : L""));
    return names;
}

class ModsInstall : public ModsTab {
protected:
    // "Установить мод…", the source chosen in the file dialog.
    void Install(const std::wstring& source) {
        Click(Ctl(ids::kModsInstallButton));
        HWND dialog = Running().WaitForDialog(L"Установить мод");
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(ChooseFile(dialog, source));
    }
};

TEST_F(ModsInstall, AZipAndA7zLandInDataAndAreSwitchedOn) {
    CreateDirectoryW(kDataFolder, nullptr);
    ASSERT_TRUE(WriteProfileFile(kCustom, CustomWith({})));
    StartOnModsTab();
    Install(Fixture(L"GoodMod.zip"));
    const std::wstring zipMessage = AnswerMessage(Running());
    for (const wchar_t* part : {L"Установлено:\r\n  GoodMod.ba2", L"readme.txt", L"meshes/loose.nif",
                                L"программы и библиотеки не устанавливаются"})
        EXPECT_NE(zipMessage.find(part), std::wstring::npos) << testing::PrintToString(std::wstring(part)) << "\n" << zipMessage;
    EXPECT_TRUE(WaitFor([] { return EntryOf(L"sResourceArchive2List") == L"GoodMod.ba2"; }));
    EXPECT_TRUE(ExistsAsFile(kDataFolder + std::wstring(L"Strings\\GoodMod_en.strings")));

    Install(Fixture(L"SevenMod.7z"));
    const std::wstring sevenMessage = AnswerMessage(Running());
    EXPECT_NE(sevenMessage.find(L"SevenMod - Textures.ba2"), std::wstring::npos) << sevenMessage;
    EXPECT_TRUE(WaitFor([] {
        const std::wstring main = EntryOf(L"sResourceArchive2List");
        return main == L"GoodMod.ba2, SevenMod - Main.ba2, SevenMod - Textures.ba2" ||
               main == L"GoodMod.ba2, SevenMod - Textures.ba2, SevenMod - Main.ba2";
    })) << testing::PrintToString(EntryOf(L"sResourceArchive2List"));
    EXPECT_TRUE(ExistsAsFile(kDataFolder + std::wstring(L"Strings\\SevenMod_ru.strings")));
    EXPECT_EQ(ListViewChecks(List()), (std::vector<bool>{true, true, true}));
    const auto rows = ListViewRows(List());
    const auto main = std::find(rows.begin(), rows.end(), L"SevenMod - Main.ba2");
    ASSERT_NE(main, rows.end());
    ClickRow(static_cast<int>(main - rows.begin()));
    const std::wstring details = TextOf(Ctl(ids::kModsDetailsBox));
    EXPECT_NE(details.find(L"Установлен программой из файла SevenMod.7z"), std::wstring::npos) << details;
    EXPECT_FALSE(IsShown(Ctl(ids::kModsProgressBar))) << "the progress stays after the install";
    EXPECT_TRUE(ReadOnly(kCustom));
}

TEST_F(ModsInstall, AHostileZipLeavesNothingOutsideAndNamesEachEntry) {
    CreateDirectoryW(kDataFolder, nullptr);
    const auto gameBefore = NamesIn(kGameFolder);
    const auto rootBefore = NamesIn(L"C:\\");
    StartOnModsTab();
    Install(Fixture(L"Hostile.zip"));
    const std::wstring message = AnswerMessage(Running());
    // The drive-letter entry reads back with "/" as zip names are stored.
    for (const wchar_t* entry : {L"../x.ba2", L"C:/x.ba2", L"CON.ba2", L"link.ba2"})
        EXPECT_NE(message.find(std::wstring(L"Hostile.zip → ") + entry), std::wstring::npos)
            << testing::PrintToString(std::wstring(entry)) << "\n" << message;
    EXPECT_NE(message.find(L"Отклонено как опасное"), std::wstring::npos) << message;
    EXPECT_TRUE(WaitFor([] { return EntryOf(L"sResourceArchive2List") == L"Safe.ba2"; }));
    EXPECT_EQ(NamesIn(kDataFolder), (std::set<std::wstring>{L"Safe.ba2"}));
    EXPECT_EQ(NamesIn(kGameFolder), gameBefore) << "written beside Data";
    EXPECT_EQ(NamesIn(L"C:\\"), rootBefore) << "written at the drive's root";
    EXPECT_FALSE(ExistsAsFile(L"C:\\Program Files (x86)\\Steam\\steamapps\\common\\x.ba2"));
}

TEST_F(ModsInstall, RemovingAModThatReplacedAFilePutsItBack) {
    ASSERT_TRUE(PutMod(L"Replacement.ba2", {"interface/old.swf"}));
    ASSERT_TRUE(PutMod(L"Mine.ba2"));
    const auto oldBytes = ReadBytes(kDataFolder + std::wstring(L"Replacement.ba2"));
    ASSERT_TRUE(WriteProfileFile(kCustom, CustomWith({L"sResourceArchive2List=Replacement.ba2, Mine.ba2"})));
    StartOnModsTab();
    Install(Fixture(L"Replacement.ba2"));
    HWND question = Running().WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question), L"Заменить Replacement.ba2?");
    Answer(question, IDYES);
    AnswerMessage(Running());
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(kDataFolder + std::wstring(L"Replacement.ba2")) == ReadBytes(Fixture(L"Replacement.ba2")); }));
    EXPECT_EQ(EntryOf(L"sResourceArchive2List"), L"Replacement.ba2, Mine.ba2") << "a replaced name keeps its place";

    ClickRow(0);
    Click(Ctl(ids::kModsRemoveButton));
    const std::wstring removed = AnswerMessage(Running());
    EXPECT_NE(removed.find(L"Мод Replacement.ba2 удалён."), std::wstring::npos) << removed;
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(kDataFolder + std::wstring(L"Replacement.ba2")) == oldBytes; }))
        << "the replaced file is back";
    EXPECT_EQ(EntryOf(L"sResourceArchive2List"), L"Replacement.ba2, Mine.ba2") << "its file is back, so is its name";

    // A mod the program did not install is asked about, then goes to the Recycle Bin.
    ClickRow(1);
    Click(Ctl(ids::kModsRemoveButton));
    HWND ask = Running().WaitForMessageBox();
    ASSERT_NE(ask, nullptr);
    EXPECT_NE(MessageBoxText(ask).find(L"корзину"), std::wstring::npos) << MessageBoxText(ask);
    Answer(ask, IDYES);
    EXPECT_TRUE(WaitFor([] { return EntryOf(L"sResourceArchive2List") == L"Replacement.ba2"; }));
    EXPECT_FALSE(ExistsAsFile(kDataFolder + std::wstring(L"Mine.ba2")));
    EXPECT_TRUE(RowsAre({L"Replacement.ba2"}));
}

}  // namespace
}  // namespace e2e
