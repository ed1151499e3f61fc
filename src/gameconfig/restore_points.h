#pragma once
// Restore points of the game's INI files: how a point is named, told apart, listed and
// thinned out. A point is a folder named by its local time and the number of its making,
// "yyyy-mm-dd HH-MM-SS #n", holding copies of the files that existed and a text that
// names the action that came next. The number orders the points: the clock may be set
// back (a CMOS reset, a wrong time zone), the count of points made goes only forward.
// Points of earlier versions have no number ("yyyy-mm-dd HH-MM-SS", with " (2)", " (3)"...
// for a second point in the same second) and come before every numbered one.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravenlock {

inline constexpr size_t kRestorePointsKept = 30;
inline constexpr wchar_t kRestorePointActionFile[] = L"action.txt";
// The names of the game's files that existed when the point was made, one a line. A point
// of an earlier version has none: there a copy that is missing means a file that was not.
inline constexpr wchar_t kRestorePointFilesList[] = L"files.txt";

struct PointStamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int sequence = 1;     // the n of " (n)" of an earlier version's name, 1 without it
    uint64_t order = 0;   // the n of " #n", the number of its making; 0 for an earlier version's name
    auto operator<=>(const PointStamp&) const = default;
};

// "2026-12-10 23-05-09 #n" for an order n; an earlier version's name for order 0.
std::wstring PointFolderName(const PointStamp& stamp);
// The stamp of a folder name made by PointFolderName; nothing for any other name.
std::optional<PointStamp> ParsePointFolderName(std::wstring_view name);
// "10.12.2026 23:05:09", as the menu and the question show it.
std::wstring PointTimeText(const PointStamp& stamp);
// The menu item: "10.12.2026 23:05:09 — перед: <action>".
std::wstring PointMenuCaption(const PointStamp& stamp, const std::wstring& action);

// The point names among the folder names, the last made first (by number, then time);
// other names are left out.
std::vector<std::wstring> PointsNewestFirst(const std::vector<std::wstring>& folderNames);
// A name for a new point at this time, numbered after every existing one.
std::wstring NewPointFolderName(PointStamp at, const std::vector<std::wstring>& folderNames);
// The points beyond the newest `kept`, to be removed.
std::vector<std::wstring> PointsBeyondLimit(const std::vector<std::wstring>& folderNames,
                                            size_t kept = kRestorePointsKept);

// The bytes of the three game files in reading order; nothing for a missing file.
using PointFiles = std::array<std::optional<std::string>, 3>;

// The action text as stored (UTF-8) and read back: one line, at most 200 characters.
std::string ActionFileBytes(const std::wstring& action);
std::wstring ActionFromFileBytes(std::string_view bytes);

// The list of files as stored (UTF-8, one name a line) and read back; names compare
// without letter case, as the file system does.
std::string FilesListBytes(const std::vector<std::wstring>& names);
bool FilesListNames(std::string_view bytes, const std::wstring& name);

}  // namespace ravenlock
