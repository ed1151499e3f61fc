#pragma once
// The small window the tool opens without switches: the machine's memory, refreshed
// every second, and the two clean-up actions as buttons.
#include <windows.h>

namespace memtool {

// Runs the window until it is closed; returns the exit code.
int RunMemoryWindow(HINSTANCE instance);

}  // namespace memtool
