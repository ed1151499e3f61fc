#pragma once
// The embedded memory tool, run from a temporary copy, and the sounds.
#include <windows.h>

#include <string>

namespace ravenlock {

// RAMMap.exe in the user's temporary folder (long form).
std::wstring TempToolPath();

// Writes the tool resource to TempToolPath() and starts it, with the parameters unless
// interactive. A missing resource is an error; a copy that cannot be written (a running
// tool holds it) starts nothing and says nothing. Windows asks for administrator consent.
void RunRamMapTool(const std::wstring& resourceName, const std::wstring& parameters, bool interactive,
                   HMODULE module = nullptr);

// One tick of the removal of the temporary copy: nothing while RAMMap.exe runs; otherwise
// a short pause (the tool may still be releasing its file) and the deletion. True when the
// copy is gone, so that the timer can stop; false means "try again on the next tick".
bool RemoveTempToolCopy();

// Plays a WAVE resource of the program asynchronously; an empty name plays the weekday
// launch sound. Failures are silent.
void PlayNotificationSound(const std::wstring& name);

}  // namespace ravenlock
