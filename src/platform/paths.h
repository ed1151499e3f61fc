#pragma once
// Path and name rules without any system call.
#include <string>
#include <string_view>

namespace ravenlock {

// Compares ignoring the case of ASCII letters only (other letters must match exactly).
bool SameTextAscii(std::wstring_view a, std::wstring_view b);
// Whether a long file name really matches a "*.ext" search pattern (a folder listing's
// last part): the system also matches the 8.3 short name, so "x.dmpold" (short "X~1.DMP")
// comes back for "*.dmp". Any other pattern is left to the system.
bool LongNameMatches(std::wstring_view name, std::wstring_view pattern);
// The memory tool's private folders in %TEMP%: "Ravenlock-" and 32 lower-case hex digits.
inline constexpr wchar_t kToolFolderPrefix[] = L"Ravenlock-";
bool IsToolFolderName(std::wstring_view name);
// Everything after the last '\', '/' or drive colon.
std::wstring FileNamePart(std::wstring_view path);
// Everything up to and including the last '\', '/' or drive colon ("" when there is none).
std::wstring FolderPart(std::wstring_view path);
// True for a full path with a drive ("C:\x") or a network share ("\\server\share"):
// nothing that a search through the current folder or PATH could resolve.
bool IsAbsolutePath(std::wstring_view path);
// Every '/' turned into '\'.
std::wstring WithBackslashes(std::wstring path);

}  // namespace ravenlock
