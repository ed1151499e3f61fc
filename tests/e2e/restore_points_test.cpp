// Restore points of the game's INI files: one before each change the program makes, the
// newest 30 kept and the same state not kept twice, a point put back and that undone
// from the menu, and a change refused when its point cannot be written.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

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

constexpr std::array<const wchar_t*, 3> kGameFiles = {L"Fallout76.ini", L"Fallout76Prefs.ini", L"Fallout76Custom.ini"};
constexpr wchar_t kOptionsAction[] = L"Изменить опции на вкладке \"Инструменты и диагностика\"";
constexpr wchar_t kCantMakePoint[] = L"Не удалось создать точку восстановления";

// The three files' bytes in reading order; nothing for a missing one.
using FileSet = std::array<std::optional<std::string>, 3>;

FileSet GameFilesNow() {
    FileSet set;
    for (size_t i = 0; i < kGameFiles.size(); ++i)
        if (ExistsAsFile(ProfilePath(kGameFiles[i]))) set[i] = ReadBytes(ProfilePath(kGameFiles[i]));
    return set;
}

// The points' folder names, oldest first (the names sort as the times do).
std::vector<std::wstring> PointNames() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((RestorePointsFolder() + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != L'.')
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

FileSet PointFiles(const std::wstring& point) {
    FileSet set;
    for (size_t i = 0; i < kGameFiles.size(); ++i) {
        const std::wstring path = RestorePointsFolder() + point + L"\\" + kGameFiles[i];
        if (ExistsAsFile(path)) set[i] = ReadBytes(path);
    }
    return set;
}

std::wstring ActionOf(const std::wstring& point) {
    const std::string bytes = ReadBytes(RestorePointsFolder() + point + L"\\action.txt").value_or("");
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                        text.data(), static_cast<int>(text.size()))));
    return text;
}

// "2026-12-11 03-04-05" as the program's question shows it: "11.12.2026 03:04:05".
std::wstring TimeText(const std::wstring& point) {
    return point.substr(8, 2) + L"." + point.substr(5, 2) + L"." + point.substr(0, 4) + L" " + point.substr(11, 2) +
           L":" + point.substr(14, 2) + L":" + point.substr(17, 2);
}

// Writes a point as the program lays it out: the files and the action's note.
void SeedPoint(const std::wstring& name, const FileSet& files, const std::string& action) {
    const std::wstring folder = RestorePointsFolder() + name + L"\\";
    const std::wstring root = RestorePointsFolder().substr(0, RestorePointsFolder().size() - 1);
    CreateDirectoryW(root.substr(0, root.find_last_of(L'\\')).c_str(), nullptr);
    CreateDirectoryW(root.c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << "cannot make " << testing::PrintToString(folder);
    for (size_t i = 0; i < files.size(); ++i)
        if (files[i]) {
            ASSERT_TRUE(WriteBytes(folder + kGameFiles[i], *files[i]));
        }
    ASSERT_TRUE(WriteBytes(folder + L"action.txt", action));
}

// Thirty points "2020-01-01 00-00-00"… "-29", each holding a Fallout76.ini of its own but
// the one of the given index, which holds the given files.
void SeedThirtyPoints(int special, const FileSet& files) {
    for (int i = 0; i < 30; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"2020-01-01 00-00-%02d", i);
        const FileSet own = {std::string("[General]\r\nsSeed=") + std::to_string(i) + "\r\n", std::nullopt,
                             std::nullopt};
        ASSERT_NO_FATAL_FAILURE(SeedPoint(name, i == special ? files : own, "Сохранить изменения"));
    }
}

std::string Describe(const FileSet& set) {
    std::string text;
    for (size_t i = 0; i < set.size(); ++i)
        text += "--- file " + std::to_string(i) + ":\n" + (set[i] ? *set[i] : std::string("(missing)")) + "\n";
    return text;
}

class RestorePoints : public ProgramTest {
protected:
    HWND Get(int tab, int id) const { return On(tab, id); }
    HWND EditorLines() const { return On(ids::kTabEditor, ids::kFallout76PrefsiniListBox); }

    // Shows the editor, puts a new value on its second line and saves.
    void SaveAnEdit(const std::wstring& value) {
        ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
        ASSERT_TRUE(WaitFor([&] { return ListBoxLines(EditorLines()).size() > 1; }));
        SelectListBoxLine(EditorLines(), 1);
        ASSERT_TRUE(WaitFor([&] { return !TextOf(On(ids::kTabEditor, ids::kParameterEdit)).empty(); }));
        ASSERT_TRUE(SetEditText(On(ids::kTabEditor, ids::kValueEdit), value));
        PostKey(On(ids::kTabEditor, ids::kValueEdit), VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return ListBoxLines(EditorLines()).at(1).ends_with(L"=" + value); }));
        Click(On(ids::kTabEditor, ids::kSavePrefsButton));
        ASSERT_TRUE(Settle(Window()));
    }
    // Shows the Tools tab as a new showing: another tab first.
    void ShowToolsAgain() {
        ASSERT_TRUE(ShowTab(Window(), ids::kTabGame));
        ASSERT_TRUE(ShowTab(Window(), ids::kTabTools));
    }
    // Opens the restore points' menu with a real right-click and picks an item by its
    // place from the bottom (0: "Открыть папку точек восстановления", 1: the oldest point).
    void ChoosePoint(HWND rightClicked, int fromBottom, const wchar_t* screenshot = nullptr) {
        input::RightClick(input::CentreOf(rightClicked));
        HWND menu = WaitForPopupMenu(Running().Id());
        ASSERT_NE(menu, nullptr) << "no menu of restore points";
        if (screenshot && !ScreenshotDir().empty()) SavePng(CaptureWindow(menu), ScreenshotDir() + screenshot);
        ChooseFromBottomOfMenu(menu, fromBottom);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); })) << "the menu stays open";
    }
    // Answers the question before a restore; the point's time is in it.
    void ConfirmRestoreOf(const std::wstring& point) {
        HWND box = Running().WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no question before the restore";
        EXPECT_EQ(MessageBoxText(box), L"Вернуть файлы настроек к состоянию на " + TimeText(point) + L"?");
        Answer(box, IDYES);
        // Once the box is gone the restore goes on at once, before anything posted later.
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
        ASSERT_TRUE(Settle(Window()));
    }
};

TEST_F(RestorePoints, EachChangeOfTheGameFilesIsPrecededByAPointOfTheFilesAsTheyWere) {
    // A key the custom file overrides, for the removal; backups that differ, for the restore.
    ASSERT_TRUE(WriteProfileFile(L"Fallout76Prefs.ini", {L"[General]", L"sNote=a", L"[ImageSpace]", L"bLensFlare=1",
                                                         L"[Pipboy]", L"fPipboyEffectColorR=0.0800"}));
    ASSERT_TRUE(WriteProfileFile(L"Fallout76Custom.ini", {L"[ImageSpace]", L"bLensFlare=0"}));
    for (const wchar_t* name : kGameFiles)
        ASSERT_TRUE(WriteProfileFile(std::wstring(L"Backup_") + name, {L"[General]", L"sBackup=1"}));
    ASSERT_NE(Start(), nullptr);
    // The first showing of the Tools tab fills it (and may write); what is counted comes after.
    ASSERT_TRUE(ShowTab(Window(), ids::kTabTools));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));

    const struct {
        const char* step;
        std::function<void()> act;
        const wchar_t* action;  // nullptr: no new point
    } steps[] = {
        {"editor saved", [&] { SaveAnEdit(L"7"); }, L"Сохранить изменения"},
        {"language toggled",
         [&] {
             ASSERT_TRUE(ShowTab(Window(), ids::kTabGame));
             PostLeftClick(On(ids::kTabGame, ids::kLanguageSwitch));
         },
         L"Переключить язык игры"},
        {"first option click of a showing",
         [&] {
             ShowToolsAgain();
             Click(On(ids::kTabTools, ids::kCheckBoxFirst + 1));
         },
         kOptionsAction},
        {"second option click of that showing", [&] { Click(On(ids::kTabTools, ids::kCheckBoxFirst + 2)); }, nullptr},
        {"slider dragged in the next showing",
         [&] {
             ShowToolsAgain();
             DragTrackBar(On(ids::kTabTools, ids::kTrackBarR), 12);
         },
         kOptionsAction},
        {"override removed",
         [&] {
             HWND box = On(ids::kTabTools, ids::kCheckBoxFirst + 7);
             input::RightClick(input::CentreOf(box));
             HWND menu = WaitForPopupMenu(Running().Id());
             ASSERT_NE(menu, nullptr);
             ChooseFromBottomOfMenu(menu, 0);
         },
         L"Убрать перекрытие из Fallout76Custom.ini"},
        {"backup restored",
         [&] {
             ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
             ASSERT_TRUE(WaitFor([&] { return IsEnabled(On(ids::kTabEditor, ids::kRestorePrefsButton)); }));
             Click(On(ids::kTabEditor, ids::kRestorePrefsButton));
         },
         L"Восстановить файлы настроек из резервной копии"},
        {"backup made", [&] { Click(On(ids::kTabEditor, ids::kCopyPrefsButton)); }, nullptr},
        {"files deleted", [&] { Click(On(ids::kTabEditor, ids::kDeletePrefsButton)); }, L"Удалить файлы настроек"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        ASSERT_TRUE(Settle(Window()));
        const FileSet before = GameFilesNow();
        const size_t count = PointNames().size();
        ASSERT_NO_FATAL_FAILURE(s.act());
        ASSERT_TRUE(Settle(Window()));
        EXPECT_TRUE(Running().Dialogs().empty()) << "the step complained";
        if (!s.action) {
            EXPECT_EQ(PointNames().size(), count) << "a point too many";
            continue;
        }
        ASSERT_TRUE(WaitFor([&] { return PointNames().size() == count + 1; }))
            << PointNames().size() << " points after " << count;
        const std::wstring newest = PointNames().back();
        EXPECT_EQ(ActionOf(newest), s.action);
        EXPECT_TRUE(PointFiles(newest) == before) << "the point holds\n"
                                                  << Describe(PointFiles(newest)) << "instead of\n"
                                                  << Describe(before);
        EXPECT_FALSE(GameFilesNow() == before) << "the step changed nothing, so it shows nothing";
    }
}

TEST_F(RestorePoints, TheNewestThirtyAreKeptAndTheSameFilesAreNotKeptTwice) {
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    ASSERT_TRUE(WaitFor([&] { return !ListBoxLines(EditorLines()).empty(); }));
    ASSERT_TRUE(Settle(Window()));
    // Thirty older points; the newest of them holds the files as they are now.
    const FileSet now = GameFilesNow();
    ASSERT_NO_FATAL_FAILURE(SeedThirtyPoints(29, now));
    const std::vector<std::wstring> seeded = PointNames();
    ASSERT_EQ(seeded.size(), 30u);

    // Saving as it stands: the files equal the newest point's, so no second one.
    Click(On(ids::kTabEditor, ids::kSavePrefsButton));
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(PointNames(), seeded);

    // The custom file edited by hand, and then a change in the editor: a point of the
    // state before it, and the oldest point goes.
    ASSERT_TRUE(WriteProfileFile(L"Fallout76Custom.ini", {L"[General]", L"sNote=by hand"}));

    const FileSet beforeEdit = GameFilesNow();
    ASSERT_NO_FATAL_FAILURE(SaveAnEdit(L"9"));
    ASSERT_TRUE(WaitFor([&] { return PointNames().front() != seeded.front(); }))
        << "oldest: " << testing::PrintToString(PointNames().front());
    const std::vector<std::wstring> names = PointNames();
    ASSERT_EQ(names.size(), 30u);
    EXPECT_EQ(names.front(), L"2020-01-01 00-00-01");
    EXPECT_EQ(names[28], seeded.back());
    EXPECT_TRUE(PointFiles(names.back()) == beforeEdit) << Describe(PointFiles(names.back()));
    EXPECT_EQ(ActionOf(names.back()), L"Сохранить изменения");
    EXPECT_TRUE(Running().Dialogs().empty());
}

TEST_F(RestorePoints, APointPutBackFromTheMenuCanItselfBeUndone) {
    // Keys no option box reads, so that the Tools tab's refresh after a restore writes nothing.
    ASSERT_TRUE(WriteProfileFile(L"Fallout76Prefs.ini", {L"[Display]", L"iSize W=1920", L"iSize H=1080"}));
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(ShowTab(Window(), ids::kTabTools));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    ASSERT_TRUE(Settle(Window()));
    // Without Fallout76Custom.ini at first, so that the point lacks it.
    ASSERT_TRUE(DeleteFileAnyway(ProfilePath(L"Fallout76Custom.ini")));
    const size_t earlier = PointNames().size();  // the first showing's fill may have made one
    const FileSet first = GameFilesNow();
    const std::vector<std::wstring> firstLines = ListBoxLines(EditorLines());
    ASSERT_NO_FATAL_FAILURE(SaveAnEdit(L"3"));
    ASSERT_TRUE(WaitFor([&] { return PointNames().size() == earlier + 1; }));
    const std::wstring beforeSave = PointNames().back();
    // The user then writes a custom file by hand.
    ASSERT_TRUE(WriteProfileFile(L"Fallout76Custom.ini", {L"[General]", L"sNote=by hand"}));
    const FileSet second = GameFilesNow();
    ASSERT_FALSE(second == first);

    // From the local values list: the newest point comes first, the folder item last.
    ASSERT_NO_FATAL_FAILURE(ChoosePoint(EditorLines(), static_cast<int>(earlier) + 1));
    ASSERT_NO_FATAL_FAILURE(ConfirmRestoreOf(beforeSave));
    EXPECT_TRUE(WaitFor([&] { return GameFilesNow() == first; })) << Describe(GameFilesNow());
    EXPECT_FALSE(ExistsAsFile(ProfilePath(L"Fallout76Custom.ini"))) << "a file the point lacks stays";
    for (const wchar_t* name : {L"Fallout76.ini", L"Fallout76Prefs.ini"})
        EXPECT_TRUE(GetFileAttributesW(ProfilePath(name).c_str()) & FILE_ATTRIBUTE_READONLY) << "writable: " << name;
    // The editor shows the files as they are now.
    EXPECT_TRUE(WaitFor([&] { return ListBoxLines(EditorLines()) == firstLines; }));
    ASSERT_EQ(PointNames().size(), earlier + 2) << "the restore made no point of what it replaced";
    const std::wstring beforeRestore = PointNames().back();
    EXPECT_EQ(ActionOf(beforeRestore), L"Вернуть файлы настроек к состоянию на " + TimeText(beforeSave));

    // Undone from the restore button, which is disabled without a backup.
    HWND restoreButton = On(ids::kTabEditor, ids::kRestorePrefsButton);
    ASSERT_FALSE(IsEnabled(restoreButton));
    ASSERT_NO_FATAL_FAILURE(ChoosePoint(restoreButton, static_cast<int>(earlier) + 2, L"restore-points-menu.png"));
    ASSERT_NO_FATAL_FAILURE(ConfirmRestoreOf(beforeRestore));
    EXPECT_TRUE(WaitFor([&] { return GameFilesNow() == second; })) << Describe(GameFilesNow());
    EXPECT_TRUE(GameIniFilesReadOnly());

    // The last item opens the points' folder in Explorer.
    ASSERT_NO_FATAL_FAILURE(ChoosePoint(EditorLines(), 0));
    const std::wstring folder = RestorePointsFolder().substr(0, RestorePointsFolder().size() - 1);
    EXPECT_TRUE(WaitFor([&] {
        const auto lines = LogLines(LogOf(L"explorer"));
        return std::any_of(lines.begin(), lines.end(), [&](const std::wstring& l) { return l.find(folder) != std::wstring::npos; });
    })) << "Explorer was not opened on " << testing::PrintToString(folder);
}

TEST_F(RestorePoints, TheOldestOfThirtyIsPutBackThoughThePointBeforeTheRestoreThinsItOut) {
    ASSERT_NE(Start(), nullptr);
    // The Tools tab filled first, so that its refresh after the restore has nothing to write.
    ASSERT_TRUE(ShowTab(Window(), ids::kTabTools));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    ASSERT_TRUE(Settle(Window()));
    RemoveRestorePoints();  // the Tools tab's first showing may have made one
    const FileSet now = GameFilesNow();
    // The oldest holds all three files, changed; the others hold Fallout76.ini alone.
    FileSet oldest = now;
    for (auto& bytes : oldest) bytes = bytes.value_or("") + "[General]\r\nsOldest=1\r\n";
    ASSERT_NO_FATAL_FAILURE(SeedThirtyPoints(0, oldest));
    // The oldest is the item just above the folder item.
    ASSERT_NO_FATAL_FAILURE(ChoosePoint(EditorLines(), 1));
    ASSERT_NO_FATAL_FAILURE(ConfirmRestoreOf(L"2020-01-01 00-00-00"));
    EXPECT_TRUE(WaitFor([&] { return GameFilesNow() == oldest; })) << Describe(GameFilesNow());
    EXPECT_TRUE(Running().Dialogs().empty()) << "the restore complained";
    const std::vector<std::wstring> names = PointNames();
    ASSERT_EQ(names.size(), 30u);
    EXPECT_EQ(names.front(), L"2020-01-01 00-00-01") << "the oldest point was not thinned out";
    EXPECT_TRUE(PointFiles(names.back()) == now) << "the point before the restore holds\n" << Describe(PointFiles(names.back()));
}

TEST_F(RestorePoints, FilesDeletedBeforeThisRunAreBroughtBackThoughTheEditorIsDisabled) {
    // A point of the files with a line of its own in Fallout76Prefs.ini; the file is then
    // deleted, and the program starts without it.
    FileSet kept = GameFilesNow();
    ASSERT_TRUE(kept[1].has_value());
    *kept[1] += "[Marker]\r\nsFromThePoint=1\r\n";
    ASSERT_NO_FATAL_FAILURE(SeedPoint(L"2020-01-01 00-00-00", kept, "Удалить файлы настроек"));
    ASSERT_TRUE(DeleteFileAnyway(ProfilePath(L"Fallout76Prefs.ini")));
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    ASSERT_FALSE(IsEnabled(Page(Window(), ids::kTabEditor)));

    ASSERT_NO_FATAL_FAILURE(ChoosePoint(EditorLines(), 1));
    ASSERT_NO_FATAL_FAILURE(ConfirmRestoreOf(L"2020-01-01 00-00-00"));
    // (The Tools tab's refresh then writes its options' keys, as every first showing does.)
    EXPECT_TRUE(WaitFor([&] {
        return ReadBytes(ProfilePath(L"Fallout76Prefs.ini")).value_or("").find("sFromThePoint=1") != std::string::npos;
    })) << "the file did not come back from the point";
    // Both tabs that found the file missing work again, and show what came back.
    EXPECT_TRUE(IsEnabled(Page(Window(), ids::kTabEditor)));
    EXPECT_TRUE(IsEnabled(Page(Window(), ids::kTabTools)));
    const auto lines = ListBoxLines(EditorLines());
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"sFromThePoint=1"), lines.end());
    EXPECT_TRUE(Running().Dialogs().empty());
}

TEST_F(RestorePoints, APointRemovedWhileTheMenuIsOpenPutsNothingBack) {
    ASSERT_NO_FATAL_FAILURE(SeedPoint(L"2020-01-01 00-00-00", {std::string("[General]\r\n"), std::nullopt, std::nullopt},
                                      "Сохранить изменения"));
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    ASSERT_TRUE(Settle(Window()));
    const FileSet before = GameFilesNow();
    input::RightClick(input::CentreOf(EditorLines()));
    HWND menu = WaitForPopupMenu(Running().Id());
    ASSERT_NE(menu, nullptr);
    RemoveRestorePoints();  // the Tools tab's first showing may have made one
    ChooseFromBottomOfMenu(menu, 1);
    HWND question = Running().WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    Answer(question, IDYES);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(question); }));
    HWND message = Running().WaitForMessageBox();
    ASSERT_NE(message, nullptr) << "no word of the missing point";
    EXPECT_TRUE(MessageBoxText(message).starts_with(L"Точки восстановления")) << testing::PrintToString(MessageBoxText(message));
    Answer(message, IDOK);
    ASSERT_TRUE(Settle(Window()));
    EXPECT_TRUE(GameFilesNow() == before) << "the game's files were changed:\n" << Describe(GameFilesNow());
}

TEST_F(RestorePoints, APutBackThatCannotFinishLeavesAllThreeFilesAsTheyWere) {
    FileSet point = GameFilesNow();
    for (auto& file : point) file = file.value_or("") + "[Marker]\r\nsFromThePoint=1\r\n";
    ASSERT_NO_FATAL_FAILURE(SeedPoint(L"2020-01-01 00-00-00", point, "Сохранить изменения"));
    // The last file's new content cannot be written beside it, as on a full disk.
    const std::wstring blocker = ProfilePath(L"Fallout76Custom.ini") + L".ravenlock-new";
    ASSERT_TRUE(WriteBytes(blocker, "in the way"));
    ASSERT_TRUE(SetFileAttributesW(blocker.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    ASSERT_TRUE(Settle(Window()));

    ASSERT_NO_FATAL_FAILURE(ChoosePoint(EditorLines(), 1));
    ASSERT_NO_FATAL_FAILURE(ConfirmRestoreOf(L"2020-01-01 00-00-00"));
    HWND message = Running().WaitForMessageBox();
    ASSERT_NE(message, nullptr) << "no word of the failed restore";
    EXPECT_TRUE(MessageBoxText(message).starts_with(
        L"Не удалось вернуть файлы настроек к состоянию на 01.01.2020 00:00:00. Файлы настроек остались такими, "
        L"какими были до восстановления."))
        << testing::PrintToString(MessageBoxText(message));
    Answer(message, IDOK);
    ASSERT_TRUE(Settle(Window()));
    // None came back from the point (the Tools tab, shown again, may write its keys as ever).
    for (const auto& file : GameFilesNow())
        EXPECT_EQ(file.value_or("").find("sFromThePoint"), std::string::npos) << "the files are mixed:\n"
                                                                              << Describe(GameFilesNow());
    for (const auto& name : kGameFiles) {
        EXPECT_FALSE(ExistsAsFile(ProfilePath(name) + L".ravenlock-old")) << testing::PrintToString(name);
        if (name != std::wstring(L"Fallout76Custom.ini")) {
            EXPECT_FALSE(ExistsAsFile(ProfilePath(name) + L".ravenlock-new")) << testing::PrintToString(name);
        }
    }
    EXPECT_TRUE(DeleteFileAnyway(blocker));
}

TEST_F(RestorePoints, AChangeWhosePointCannotBeWrittenIsNotMade) {
    ASSERT_NE(Start(), nullptr);
    // The first showing's fill is done before the points' folder is blocked.
    ASSERT_TRUE(ShowTab(Window(), ids::kTabTools));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabEditor));
    ASSERT_TRUE(Settle(Window()));
    const std::wstring blocked = RestorePointsFolder().substr(0, RestorePointsFolder().size() - 1);
    RemoveRestorePoints();
    ASSERT_TRUE(WriteBytes(blocked, "not a folder")) << "cannot block the points' folder";

    HWND languageSwitch = On(ids::kTabGame, ids::kLanguageSwitch);
    HWND box = On(ids::kTabTools, ids::kCheckBoxFirst + 1);
    bool boxWas = false;
    std::wstring switchWas;
    const struct {
        const char* change;
        std::function<void()> act;
        std::function<void()> check;  // what the user sees afterwards
    } changes[] = {
        {"editor saved", [&] { SaveAnEdit(L"5"); }, [] {}},
        {"option clicked",
         [&] {
             ShowToolsAgain();
             boxWas = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
             Click(box);
         },
         [&] { EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED, boxWas) << "the box shows a change not made"; }},
        {"language toggled",
         [&] {
             ASSERT_TRUE(ShowTab(Window(), ids::kTabGame));
             switchWas = TextOf(languageSwitch);
             PostLeftClick(languageSwitch);
         },
         [&] { EXPECT_TRUE(WaitFor([&] { return TextOf(languageSwitch) == switchWas; })) << "the switch moved"; }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.change);
        const FileSet before = GameFilesNow();
        ASSERT_NO_FATAL_FAILURE(c.act());
        HWND message = Running().WaitForMessageBox();
        ASSERT_NE(message, nullptr) << "no message";
        EXPECT_TRUE(MessageBoxText(message).starts_with(kCantMakePoint)) << testing::PrintToString(MessageBoxText(message));
        Answer(message, IDOK);
        ASSERT_TRUE(Settle(Window()));
        EXPECT_TRUE(GameFilesNow() == before) << "the change was made without its point:\n" << Describe(GameFilesNow());
        c.check();
        EXPECT_TRUE(GameIniFilesReadOnly());
    }
}

}  // namespace
}  // namespace e2e
