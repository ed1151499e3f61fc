#include "gameconfig/ini_section.h"

#include <algorithm>

namespace ravenlock {

std::wstring_view TrimBlanks(std::wstring_view text) {
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::vector<std::wstring> SplitNulList(std::wstring_view list) {
    std::vector<std::wstring> strings;
    for (size_t i = 0; i < list.size();) {
        const size_t end = std::min(list.find(L'\0', i), list.size());
        if (end > i) strings.emplace_back(list.substr(i, end - i));
        i = end + 1;
    }
    return strings;
}

std::vector<IniEntry> ParseSectionEntries(std::wstring_view list) {
    std::vector<IniEntry> entries;
    for (const auto& line : SplitNulList(list)) {
        const std::wstring_view text = TrimBlanks(line);
        if (text.empty() || text.front() == L';') continue;
        entries.push_back(ParseEntryLine(line));
    }
    return entries;
}

IniEntry ParseEntryLine(std::wstring_view text) {
    const auto eq = text.find(L'=');
    IniEntry entry{std::wstring(TrimBlanks(text.substr(0, eq))), L""};
    if (eq != std::wstring_view::npos) {
        std::wstring_view value = TrimBlanks(text.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        entry.value = value.substr(0, 2047);
    }
    return entry;
}

}  // namespace ravenlock
