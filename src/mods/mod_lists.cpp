#include "mods/mod_lists.h"

#include <algorithm>
#include <optional>

#include "gameconfig/ini_section.h"
#include "gameconfig/line_list.h"

namespace ravenlock {

namespace {

// "[Name]" (blanks around allowed) gives Name; anything else nothing.
std::optional<std::wstring_view> HeaderOf(std::wstring_view line) {
    const std::wstring_view t = TrimBlanks(line);
    if (t.size() < 2 || t.front() != L'[' || t.back() != L']') return std::nullopt;
    return t.substr(1, t.size() - 2);
}

// The line range [begin, end) of the first [Archive] section's entries; begin == end ==
// lines.size() when there is none.
std::pair<size_t, size_t> ArchiveSection(const std::vector<std::wstring>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto h = HeaderOf(lines[i]);
        if (!h || !SameName(*h, L"Archive")) continue;
        size_t end = i + 1;
        while (end < lines.size() && !HeaderOf(lines[end])) ++end;
        return {i + 1, end};
    }
    return {lines.size(), lines.size()};
}

std::optional<size_t> KeyLine(const std::vector<std::wstring>& lines, std::pair<size_t, size_t> section,
                              std::wstring_view key) {
    for (size_t i = section.first; i < section.second; ++i) {
        const std::wstring& line = lines[i];
        const std::wstring_view t = TrimBlanks(line);
        if (t.empty() || t.front() == L';' || t.front() == L'#' || !LineList::IsEntry(line)) continue;
        if (SameName(TrimBlanks(LineList::NameOf(line)), key)) return i;
    }
    return std::nullopt;
}

bool Contains(const std::vector<std::wstring>& names, std::wstring_view name) {
    return std::any_of(names.begin(), names.end(), [&](const std::wstring& n) { return SameName(n, name); });
}

void AddNames(std::wstring_view value, std::vector<std::wstring>& into, const std::vector<std::wstring>& other) {
    size_t start = 0;
    while (start <= value.size()) {
        size_t comma = value.find(L',', start);
        if (comma == std::wstring_view::npos) comma = value.size();
        const std::wstring_view name = TrimBlanks(value.substr(start, comma - start));
        if (!name.empty() && !Contains(into, name) && !Contains(other, name)) into.emplace_back(name);
        start = comma + 1;
    }
}

std::wstring Joined(const std::vector<std::wstring>& names) {
    std::wstring out;
    for (const auto& n : names) out += (out.empty() ? L"" : L", ") + n;
    return out;
}

}  // namespace

ModLists ReadModLists(const std::vector<std::wstring>& lines) {
    ModLists lists;
    const auto section = ArchiveSection(lines);
    // The main list first: a name in both counts where the game reads it first.
    if (const auto at = KeyLine(lines, section, kMainListKey))
        AddNames(ParseEntryLine(lines[*at]).value, lists.main, lists.startUp);
    if (const auto at = KeyLine(lines, section, kStartUpListKey))
        AddNames(ParseEntryLine(lines[*at]).value, lists.startUp, lists.main);
    return lists;
}

std::vector<std::wstring> WriteModLists(std::vector<std::wstring> lines, const ModLists& lists) {
    for (const auto& [key, names] : {std::pair{kMainListKey, &lists.main}, std::pair{kStartUpListKey, &lists.startUp}}) {
        auto section = ArchiveSection(lines);
        const auto at = KeyLine(lines, section, key);
        if (names->empty()) {
            if (at) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*at));
            continue;
        }
        const std::wstring line = std::wstring(key) + L"=" + Joined(*names);
        if (at) {
            lines[*at] = line;
            continue;
        }
        if (section.first == lines.size() && section.second == lines.size()) {
            lines.push_back(L"[Archive]");
            section = {lines.size(), lines.size()};
        }
        // After the section's last entry, before the blank lines that close it.
        size_t insert = section.second;
        while (insert > section.first && TrimBlanks(lines[insert - 1]).empty()) --insert;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert), line);
    }
    return lines;
}

ModList ListOf(const ModLists& lists, std::wstring_view name) {
    if (Contains(lists.main, name)) return ModList::Main;
    if (Contains(lists.startUp, name)) return ModList::StartUp;
    return ModList::None;
}

bool IsGameArchive(std::wstring_view fileName) {
    return fileName.size() >= 10 && SameName(fileName.substr(0, 10), L"SeventySix");
}

}  // namespace ravenlock
