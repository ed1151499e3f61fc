#include "mods/mod_order.h"

#include <algorithm>
#include <set>

#include "gameconfig/line_list.h"
#include "mods/ba2_reader.h"

namespace ravenlock {

std::vector<std::wstring> LoadOrder(const ModLists& lists) {
    std::vector<std::wstring> order = lists.main;
    order.insert(order.end(), lists.startUp.begin(), lists.startUp.end());
    return order;
}

std::vector<ModRow> RowsInLoadOrder(const ModLists& lists, const std::vector<std::wstring>& filesInData) {
    auto fileNamed = [&](const std::wstring& name) {
        return std::find_if(filesInData.begin(), filesInData.end(), [&](const std::wstring& f) { return SameName(f, name); });
    };
    std::vector<ModRow> rows;
    for (const auto& [names, list] : {std::pair{&lists.main, ModList::Main}, std::pair{&lists.startUp, ModList::StartUp}})
        for (const std::wstring& name : *names) {
            if (IsGameArchive(name)) continue;
            const auto file = fileNamed(name);
            rows.push_back({file == filesInData.end() ? name : *file, list, file == filesInData.end()});
        }
    std::vector<std::wstring> off;
    for (const std::wstring& file : filesInData)
        if (!IsGameArchive(file) && ListOf(lists, file) == ModList::None) off.push_back(file);
    std::sort(off.begin(), off.end(), [](const std::wstring& a, const std::wstring& b) {
        return ArchivePathKey(a) < ArchivePathKey(b);
    });
    for (std::wstring& name : off) rows.push_back({std::move(name), ModList::None, false});
    return rows;
}

size_t ModConflicts::SharedFiles() const {
    std::set<std::wstring> files;
    for (const auto& side : {&takesOver, &takenOverBy})
        for (const auto& [mod, names] : *side)
            for (const auto& n : names) files.insert(ArchivePathKey(n));
    return files.size();
}

std::map<std::wstring, ModConflicts> FindConflicts(const std::vector<std::wstring>& loadOrder,
                                                   const std::map<std::wstring, std::vector<std::wstring>>& namesOf) {
    // For every path, the mods that hold it, in load order.
    std::map<std::wstring, std::vector<size_t>> holders;
    std::map<std::wstring, std::wstring> spelling;
    for (size_t i = 0; i < loadOrder.size(); ++i) {
        const auto names = namesOf.find(loadOrder[i]);
        if (names == namesOf.end()) continue;
        std::set<std::wstring> seen;  // a path twice in one archive counts once
        for (const std::wstring& name : names->second) {
            const std::wstring key = ArchivePathKey(name);
            if (!seen.insert(key).second) continue;
            holders[key].push_back(i);
            spelling.emplace(key, name);
        }
    }
    std::map<std::wstring, ModConflicts> conflicts;
    for (const auto& [key, mods] : holders) {
        if (mods.size() < 2) continue;
        const std::wstring& shown = spelling[key];
        for (size_t a = 0; a < mods.size(); ++a)
            for (size_t b = a + 1; b < mods.size(); ++b) {
                const std::wstring &earlier = loadOrder[mods[a]], &later = loadOrder[mods[b]];
                conflicts[later].takesOver[earlier].push_back(shown);
                conflicts[earlier].takenOverBy[later].push_back(shown);
            }
    }
    return conflicts;
}

}  // namespace ravenlock
