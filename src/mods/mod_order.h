#pragma once
// The Mods tab's rows in load order, and which files each enabled mod takes over from
// the mods before it or loses to the mods after it (the archive named later wins).
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "mods/mod_lists.h"

namespace ravenlock {

struct ModRow {
    std::wstring name;  // the archive's file name, as on disk or as listed when missing
    ModList list = ModList::None;
    bool missing = false;  // listed, but no such file in Data
};

// The rows: the main list in its order, then the start-up list in its order, then the
// archives that are off, by name (letter case ignored). Files are the *.ba2 directly in
// Data; the game's own are never among the rows.
std::vector<ModRow> RowsInLoadOrder(const ModLists& lists, const std::vector<std::wstring>& filesInData);

// The order in which the game loads the enabled archives.
std::vector<std::wstring> LoadOrder(const ModLists& lists);

struct ModConflicts {
    // For each other mod, the files this one takes over from it (it loads earlier)...
    std::map<std::wstring, std::vector<std::wstring>> takesOver;
    // ...and the files that a later mod takes over from this one.
    std::map<std::wstring, std::vector<std::wstring>> takenOverBy;
    size_t SharedFiles() const;  // files this mod shares with any other enabled mod
};

// Conflicts among the enabled mods (in load order) from the names each archive holds;
// paths compare without letter case and with "/" and "\" alike. A mod without names has
// none.
std::map<std::wstring, ModConflicts> FindConflicts(const std::vector<std::wstring>& loadOrder,
                                                   const std::map<std::wstring, std::vector<std::wstring>>& namesOf);

}  // namespace ravenlock
