#pragma once
#include <string>

namespace ravenlock {

// The file version "a.b.c.d" of an executable's version resource; "" when the file is
// missing or carries no version information.
std::wstring GetFileVersionString(const std::wstring& path);

}  // namespace ravenlock
