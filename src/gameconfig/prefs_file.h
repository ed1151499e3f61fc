#pragma once
// Fallout76Prefs.ini as a line list on disk, in the system's ANSI code page when it has
// no byte-order mark.
#include <string>

#include "gameconfig/line_list.h"

namespace ravenlock {

const AnsiCodec& SystemAnsi();

// AppError "Cannot open file ..." when the file cannot be read.
void LoadLineList(LineList& list, const std::wstring& path);
// AppError "Cannot create file ..." when it cannot be written; never half-written.
void SaveLineList(const LineList& list, const std::wstring& path);

}  // namespace ravenlock
