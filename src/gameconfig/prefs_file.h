#pragma once
// Fallout76Prefs.ini as a line list on disk, in the system's ANSI code page when it has
// no byte-order mark.
#include <cstdint>
#include <string>

#include "gameconfig/line_list.h"

namespace ravenlock {

const AnsiCodec& SystemAnsi();

// A real Fallout76Prefs.ini is a few KiB; a larger file than this would become millions
// of list rows on the UI thread.
inline constexpr uint64_t kMaxPrefsFileBytes = 4ull * 1024 * 1024;

// AppError "Cannot open file ..." when the file cannot be read, and a message that says
// so when it is larger than kMaxPrefsFileBytes.
void LoadLineList(LineList& list, const std::wstring& path);
// AppError "Cannot create file ..." when it cannot be written; never half-written.
void SaveLineList(const LineList& list, const std::wstring& path);

}  // namespace ravenlock
