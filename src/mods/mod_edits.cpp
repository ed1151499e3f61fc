#include "mods/mod_edits.h"

#include <algorithm>

#include "gameconfig/line_list.h"

namespace ravenlock {

namespace {

using Names = std::vector<std::wstring>;

Names* ListNamed(ModLists& lists, ModList which) {
    if (which == ModList::Main) return &lists.main;
    if (which == ModList::StartUp) return &lists.startUp;
    return nullptr;
}

std::optional<size_t> IndexOf(const Names& names, std::wstring_view name) {
    const auto at = std::find_if(names.begin(), names.end(), [&](const std::wstring& n) { return SameName(n, name); });
    if (at == names.end()) return std::nullopt;
    return static_cast<size_t>(at - names.begin());
}

// Takes the name out of its list; its spelling there, or the one given when it was in none.
std::wstring TakeOut(ModLists& lists, std::wstring_view name) {
    for (Names* names : {&lists.main, &lists.startUp})
        if (const auto at = IndexOf(*names, name)) {
            std::wstring spelled = std::move((*names)[*at]);
            names->erase(names->begin() + static_cast<std::ptrdiff_t>(*at));
            return spelled;
        }
    return std::wstring(name);
}

}  // namespace

ModLists WithModSwitched(ModLists lists, std::wstring_view name, bool on) {
    if (on) {
        if (ListOf(lists, name) == ModList::None) lists.main.emplace_back(name);
    } else {
        TakeOut(lists, name);
    }
    return lists;
}

ModLists WithModMoved(ModLists lists, std::wstring_view name, int steps) {
    Names* names = ListNamed(lists, ListOf(lists, name));
    if (!names || steps == 0) return lists;
    size_t at = *IndexOf(*names, name);
    // Each step passes one shown mod; the game's own archives between are passed with it.
    for (int left = steps < 0 ? -steps : steps; left > 0; --left) {
        size_t to = at;
        do {
            if (steps < 0 ? to == 0 : to + 1 == names->size()) return lists;
            to = steps < 0 ? to - 1 : to + 1;
        } while (IsGameArchive((*names)[to]));
        std::wstring moving = std::move((*names)[at]);
        names->erase(names->begin() + static_cast<std::ptrdiff_t>(at));
        names->insert(names->begin() + static_cast<std::ptrdiff_t>(to), std::move(moving));
        at = to;
    }
    return lists;
}

ModLists WithModPlaced(ModLists lists, std::wstring_view name, const std::optional<std::wstring>& before) {
    Names* names = ListNamed(lists, ListOf(lists, name));
    if (!names) return lists;
    const size_t at = *IndexOf(*names, name);
    std::wstring moving = std::move((*names)[at]);
    names->erase(names->begin() + static_cast<std::ptrdiff_t>(at));
    const auto target = before ? IndexOf(*names, *before) : std::nullopt;
    names->insert(target ? names->begin() + static_cast<std::ptrdiff_t>(*target) : names->end(), std::move(moving));
    return lists;
}

ModLists WithModInList(ModLists lists, std::wstring_view name, ModList target) {
    Names* to = ListNamed(lists, target);
    if (!to || ListOf(lists, name) == target) return lists;
    std::wstring spelled = TakeOut(lists, name);
    to->push_back(std::move(spelled));
    return lists;
}

ModLists WithRowDragged(const ModLists& lists, const std::vector<RowName>& rows, size_t from, size_t to) {
    if (from >= rows.size() || rows[from].list == ModList::None) return lists;
    const ModList list = rows[from].list;
    // The rows of one list stand together: [first, last].
    size_t first = from, last = from;
    while (first > 0 && rows[first - 1].list == list) --first;
    while (last + 1 < rows.size() && rows[last + 1].list == list) ++last;
    to = std::clamp(to, first, last + 1);
    if (to == from || to == from + 1) return lists;
    const std::optional<std::wstring> before = to > last ? std::nullopt : std::optional<std::wstring>(rows[to].name);
    return WithModPlaced(lists, rows[from].name, before);
}

std::wstring SwitchedOffValue(const ModLists& lists) {
    std::wstring value;
    for (const std::wstring& line : WriteModLists({}, lists))
        if (line.find(L'=') != std::wstring::npos) value += (value.empty() ? L"" : L"\r\n") + line;
    return value;
}

ModLists SwitchedOffLists(std::wstring_view value) {
    std::vector<std::wstring> lines{L"[Archive]"};
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) end = value.size();
        if (end > start) lines.emplace_back(value.substr(start, end - start));
        start = end + 1;
    }
    return ReadModLists(lines);
}

ModLists ListsSwitchedBackOn(const ModLists& kept, const ModLists& now) {
    // The kept lists decide first: a name now in the other list stays where it was kept.
    ModLists result = kept;
    for (const auto& [from, into] : {std::pair{&now.main, &result.main}, std::pair{&now.startUp, &result.startUp}})
        for (const std::wstring& name : *from)
            if (ListOf(result, name) == ModList::None) into->push_back(name);
    return result;
}

bool AnyModOn(const ModLists& lists) {
    for (const Names* names : {&lists.main, &lists.startUp})
        if (std::any_of(names->begin(), names->end(), [](const std::wstring& n) { return !IsGameArchive(n); }))
            return true;
    return false;
}

std::vector<std::wstring> NamesWithoutFile(const ModLists& lists, const std::vector<std::wstring>& filesInData) {
    std::vector<std::wstring> missing;
    for (const Names* names : {&lists.main, &lists.startUp})
        for (const std::wstring& name : *names)
            if (!IsGameArchive(name) && !IndexOf(filesInData, name)) missing.push_back(name);
    return missing;
}

}  // namespace ravenlock
