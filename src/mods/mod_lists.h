#pragma once
// The two lists of the game's custom INI file that decide which archives it loads:
// sResourceArchive2List (most mods) and sResourceStartUpArchiveList (the few that must
// load at start), in [Archive]. When two archives hold the same file, the one named later
// wins. The file is handled as its lines: every line but the two keys stays as it is.
#include <string>
#include <string_view>
#include <vector>

namespace ravenlock {

inline constexpr wchar_t kMainListKey[] = L"sResourceArchive2List";
inline constexpr wchar_t kStartUpListKey[] = L"sResourceStartUpArchiveList";

struct ModLists {
    std::vector<std::wstring> main, startUp;  // names as the user spelled them
    bool operator==(const ModLists&) const = default;
};

// The lists as the game reads them: the first [Archive] section (letter case ignored),
// the first line of each key, names split at "," and trimmed, empty ones and a name seen
// before in either list (letter case ignored) left out.
ModLists ReadModLists(const std::vector<std::wstring>& lines);

// The lines with the two keys set to the lists, names joined by ", ". A key whose list is
// empty is removed (no "sResourceArchive2List=" is left behind); a key that is missing is
// added at the end of the first [Archive] section, which is appended when there is none.
// Every other line, and the second line of a key written twice, stays byte for byte.
std::vector<std::wstring> WriteModLists(std::vector<std::wstring> lines, const ModLists& lists);

// Whether the name is among the lists (letter case ignored), and where.
enum class ModList { None, Main, StartUp };
ModList ListOf(const ModLists& lists, std::wstring_view name);

// The game's own archives are never shown, listed, moved or deleted.
bool IsGameArchive(std::wstring_view fileName);

}  // namespace ravenlock
