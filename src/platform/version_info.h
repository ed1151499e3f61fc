#pragma once
#include <string>

#include "platform/game_edition.h"

namespace ravenlock {

// The file version "a.b.c.d" of an executable's version resource; "" when the file is
// missing or carries no version information.
std::wstring GetFileVersionString(const std::wstring& path);

// The game's version as the edition knows it: Steam's from the executable, the Store's
// from its package; "" when it cannot be read.
std::wstring GameVersionOf(const GameEdition& edition);

}  // namespace ravenlock
