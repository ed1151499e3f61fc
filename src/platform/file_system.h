#pragma once
#include <string>

namespace ravenlock {

// True for an existing file (not a folder).
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
// Full path of the running program.
std::wstring OwnExecutablePath();
// The current user's Documents folder; "" when the system cannot say.
std::wstring DocumentsFolder();

}  // namespace ravenlock
