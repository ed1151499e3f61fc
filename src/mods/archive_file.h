#pragma once
// One mod archive on disk as the Mods tab sees it: its size and date from the folder, and
// from the file only its BA2 header and name table (never the data behind them).
#include <windows.h>

#include <string>

#include "mods/mod_texts.h"

namespace ravenlock {

// Never fails: a file that cannot be opened or read as an archive (its header, or a name
// table that does not hold the names it counts) gives facts without a header, and the
// size and date when the folder still knows them.
ArchiveFacts ReadArchiveFacts(const std::wstring& path);

// A moment of file time as the user's local time, "11.12.2026 10:30".
std::wstring LocalTimeText(const FILETIME& time);

}  // namespace ravenlock
