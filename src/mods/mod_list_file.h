#pragma once
// The two mod lists as the game's custom INI file in the profile folder holds them: the
// one reader and writer of them for the Mods tab, the launch and the journal.
#include <string>

#include "mods/mod_lists.h"

namespace ravenlock {

// The lists of the custom file; none when it does not exist. AppError when it cannot be read.
ModLists ReadGameModLists(const std::wstring& profileFolder);
// Sets the two keys of the custom file (made when missing) and leaves every other line as
// it is; the file is saved whole or not at all, and not when nothing changes. The caller
// lifts the read-only guard.
void WriteGameModLists(const std::wstring& profileFolder, const ModLists& lists);

}  // namespace ravenlock
