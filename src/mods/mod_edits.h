#pragma once
// What the Mods tab's actions do to the two lists: switching a mod on or off, moving it
// within its list, moving it to the other list, and the switch-all-off for a game update
// with the lists kept aside in the settings store. Names keep their spelling; the game's
// own archives in a list (never shown as rows) keep their places.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mods/mod_lists.h"

namespace ravenlock {

// On: the name goes to the end of the main list (unless it is in a list already). Off:
// it leaves whichever list holds it.
ModLists WithModSwitched(ModLists lists, std::wstring_view name, bool on);

// The name moves `steps` places within its list (negative: towards the start), past the
// mods shown as rows only; it stops at the list's ends. A name in no list stays off.
ModLists WithModMoved(ModLists lists, std::wstring_view name, int steps);

// The name moves within its list to just before `before` (a name of the same list), or to
// the list's end when `before` is nothing or a name of no place in it.
ModLists WithModPlaced(ModLists lists, std::wstring_view name, const std::optional<std::wstring>& before);

// The name goes to the end of the other list (Main <-> StartUp); one that is off is
// switched on into `target`.
ModLists WithModInList(ModLists lists, std::wstring_view name, ModList target);

// The rows' drag: the row `from` dropped before row `to` (rows.size(): after the last).
// The row stays within its list: a drop beyond the list's rows puts it at that end.
struct RowName {
    std::wstring name;
    ModList list = ModList::None;
};
ModLists WithRowDragged(const ModLists& lists, const std::vector<RowName>& rows, size_t from, size_t to);

// The settings store's ModsSwitchedOff: the two lists as their [Archive] lines, and back.
// An empty text (nothing kept aside) reads as two empty lists.
std::wstring SwitchedOffValue(const ModLists& lists);
ModLists SwitchedOffLists(std::wstring_view value);

// "Включить моды снова": the kept lists in their order, then what was switched on
// meanwhile, each name once.
ModLists ListsSwitchedBackOn(const ModLists& kept, const ModLists& now);

// Whether any mod (not one of the game's own archives) is in a list.
bool AnyModOn(const ModLists& lists);

// The names of the lists without a file among filesInData (letter case ignored); the
// game's own archives are never reported.
std::vector<std::wstring> NamesWithoutFile(const ModLists& lists, const std::vector<std::wstring>& filesInData);

}  // namespace ravenlock
