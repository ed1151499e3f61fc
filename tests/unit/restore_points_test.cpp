// Restore points: how they are named, ordered, thinned out and labelled.
#include <gtest/gtest.h>

#include "gameconfig/restore_points.h"

namespace ravenlock {
namespace {

TEST(RestorePoints, NamesReadBackAndSortNewestFirst) {
    const PointStamp stamp{2026, 3, 7, 9, 5, 1, 1};
    EXPECT_EQ(PointFolderName(stamp), L"2026-03-07 09-05-01");
    EXPECT_EQ(PointMenuCaption(stamp, L"Сохранить изменения"), L"07.03.2026 09:05:01 — перед: Сохранить изменения");
    EXPECT_EQ(ParsePointFolderName(L"2026-03-07 09-05-01"), stamp);
    EXPECT_EQ(ParsePointFolderName(L"2026-03-07 09-05-01 (12)")->sequence, 12);
    for (const wchar_t* other : {L"2026-03-07 09-05", L"2026-13-07 09-05-01", L"2026-03-07 09-05-01 (1)",
                                 L"2026-03-07 09-05-01 (x)", L"2026-03-07 09-05-01.tmp", L"desktop.ini", L""})
        EXPECT_FALSE(ParsePointFolderName(other)) << other;

    EXPECT_EQ(ParsePointFolderName(L"2026-03-07 09-05-01 #42")->order, 42u);
    for (const wchar_t* other : {L"2026-03-07 09-05-01 #0", L"2026-03-07 09-05-01 #07", L"2026-03-07 09-05-01 #",
                                 L"2026-03-07 09-05-01 #4x", L"2026-03-07 09-05-01 #1234567890123456789"})
        EXPECT_FALSE(ParsePointFolderName(other)) << other;

    // Points of an earlier version (no number, " (n)" within one second) come before every
    // numbered one; the list ignores what is not a point.
    const std::vector<std::wstring> folders = {L"2026-03-07 09-05-01", L"notes", L"2025-12-31 23-59-59",
                                               L"2026-03-07 09-05-01 (2)"};
    EXPECT_EQ(NewPointFolderName(stamp, folders), L"2026-03-07 09-05-01 #1");
    EXPECT_EQ(PointsNewestFirst(folders),
              (std::vector<std::wstring>{L"2026-03-07 09-05-01 (2)", L"2026-03-07 09-05-01", L"2025-12-31 23-59-59"}));
}

TEST(RestorePoints, AClockSetBackStillMakesTheNewestPoint) {
    // Thirty points made up to a December evening; then the clock shows a day in 2020.
    std::vector<std::wstring> folders = {L"2026-12-01 10-00-00"};  // one of an earlier version
    for (int i = 0; i < 30; ++i) folders.push_back(NewPointFolderName({2026, 12, 10, 20, i, 0, 1}, folders));
    EXPECT_EQ(folders.back(), L"2026-12-10 20-29-00 #30");
    const std::wstring made = NewPointFolderName({2020, 1, 1, 0, 0, 5, 1}, folders);
    EXPECT_EQ(made, L"2020-01-01 00-00-05 #31");
    folders.push_back(made);
    // It is the one the next point is compared with, and thinning spares it.
    EXPECT_EQ(PointsNewestFirst(folders).front(), made);
    const auto beyond = PointsBeyondLimit(folders);
    EXPECT_EQ(beyond, (std::vector<std::wstring>{L"2026-12-10 20-00-00 #1", L"2026-12-01 10-00-00"}));
    // Two points within one second differ by their numbers.
    EXPECT_NE(NewPointFolderName({2020, 1, 1, 0, 0, 5, 1}, folders), made);
}

TEST(RestorePoints, OnlyTheNewestThirtyAreKept) {
    std::vector<std::wstring> folders = {L"keep me"};
    for (int i = 0; i < 32; ++i) folders.push_back(PointFolderName({2026, 1, 1, 0, i, 0, 1}));
    EXPECT_TRUE(PointsBeyondLimit(std::vector<std::wstring>(folders.begin(), folders.begin() + 31)).empty());
    EXPECT_EQ(PointsBeyondLimit(folders),
              (std::vector<std::wstring>{L"2026-01-01 00-01-00", L"2026-01-01 00-00-00"}));
}

TEST(RestorePoints, TheListOfFilesReadsBackWithoutLetterCase) {
    const std::string bytes = FilesListBytes({L"Fallout76.ini", L"Fallout76Custom.ini"});
    EXPECT_TRUE(FilesListNames(bytes, L"fallout76.INI"));
    EXPECT_TRUE(FilesListNames(bytes, L"Fallout76Custom.ini"));
    EXPECT_FALSE(FilesListNames(bytes, L"Fallout76Prefs.ini"));
    EXPECT_FALSE(FilesListNames(bytes, L"Fallout76"));
    EXPECT_FALSE(FilesListNames(FilesListBytes({}), L"Fallout76.ini"));
    EXPECT_TRUE(FilesListNames("\xEF\xBB\xBF" "Fallout76Prefs.ini\n", L"Fallout76Prefs.ini"));
}

TEST(RestorePoints, ActionTextIsOneLine) {
    EXPECT_EQ(ActionFromFileBytes(ActionFileBytes(L"Убрать перекрытие\r\nиз файла")), L"Убрать перекрытие  из файла");
    EXPECT_EQ(ActionFromFileBytes("\xEF\xBB\xBF" "Save\r\nrest"), L"Save");
    EXPECT_EQ(ActionFromFileBytes(ActionFileBytes(std::wstring(500, L'я'))).size(), 200u);
}


}  // namespace
}  // namespace ravenlock
