#pragma once
// What the profile functions hand back for a whole section or key list, taken apart
// without any system call.
#include <string>
#include <string_view>
#include <vector>

namespace ravenlock {

// The strings of a list of NUL-terminated strings ("a\0b\0\0"), empty ones left out;
// a list cut short without its final NUL keeps its last string.
std::vector<std::wstring> SplitNulList(std::wstring_view list);

struct IniEntry {
    std::wstring key;
    std::wstring value;
};

// Text without the blanks (spaces, tabs) at either end.
std::wstring_view TrimBlanks(std::wstring_view text);
// One "key=value" line read as a single-key read would (see below).
IniEntry ParseEntryLine(std::wstring_view line);

// The entries of a section as one read of the whole section gives them ("key=value"
// strings), read as a single-key read would: key and value trimmed of blanks, a value's
// enclosing quotes dropped, at most 2047 characters of it; a line without "=" is a key
// with no value, comment lines (";") are left out.
std::vector<IniEntry> ParseSectionEntries(std::wstring_view list);

}  // namespace ravenlock
