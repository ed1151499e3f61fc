#pragma once
// The rules by which processes are found and measured, kept apart from the Win32
// calls so that they can be tested directly.
#include <cstdint>
#include <string>
#include <string_view>

namespace ravenlock {

// The file-name part of a process argument: everything after the last '\', '/' or
// drive colon, so that a full path may be passed.
std::wstring ProcessFileName(std::wstring_view nameOrPath);

// Compares a wanted name (already reduced by ProcessFileName) with a snapshot's
// executable name. Only ASCII letters are folded; every other character must match
// exactly, so "ёжик.exe" does not find "Ёжик.exe".
bool ProcessNameMatches(std::wstring_view wanted, std::wstring_view snapshotName);

// Working set in whole MiB, remainder dropped.
uint64_t WorkingSetToMiB(uint64_t bytes);

// "a.b.c.d" from the two 32-bit file-version words of a version resource.
std::wstring FormatFileVersion(uint32_t versionMS, uint32_t versionLS);

}  // namespace ravenlock
