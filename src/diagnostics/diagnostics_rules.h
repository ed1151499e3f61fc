#pragma once
// Rules of the diagnostics tabs, apart from the system calls: the report's text, the
// memory figure, the crash-dump row, the Discord updater's path.
#include <cstdint>
#include <string>
#include <vector>

namespace ravenlock {

// The nine lines of the system report, each followed by CR LF.
std::wstring ReportText(const std::vector<std::wstring>& lines);

// Whole MiB of a byte count (8,589,934,591 -> 8191).
uint64_t BytesToMiB(uint64_t bytes);

// "name | date time", or "name | date" when the time is exactly midnight.
std::wstring DumpRowText(const std::wstring& fileName, const std::wstring& date, const std::wstring& time, bool midnight);

// The Discord client's updater from the stored Path_x64 value: the first four characters
// are dropped, then everything before the first "\app" (case-sensitive), then "\Update.exe".
std::wstring DiscordUpdaterFromValue(const std::wstring& value);

// True for a thumbnail of a photo: "-thumbnail" in its file name (never the folders
// above it), case-sensitive.
bool IsThumbnailName(const std::wstring& fileName);

}  // namespace ravenlock
