#pragma once
// The pictures that act as links and tool shortcuts, by their Tag.
#include <string>

namespace ravenlock {

// The address a link picture opens in the browser, or "" for Tags that start something
// on this machine (7, 11, 12, 100) or do nothing.
std::wstring LinkAddress(int tag);

// The Discord client's updater, from Discord's own record; "" without one.
std::wstring GetDiscordUpdaterPath();

// Windows' disk check of C: with the fix switch, in a normal window, not waited for.
void RunDiskCheck();

}  // namespace ravenlock
