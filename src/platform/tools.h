#pragma once
// The embedded memory tool, run from a temporary copy, and the sounds.
#include <windows.h>

#include <string>

namespace ravenlock {

// RAMMap.exe in a folder of its own under the user's temporary folder (long form): a
// random name, open to our user and the system only, new after each removal.
std::wstring TempToolPath();

// Makes the folder, writes the tool resource to TempToolPath() and starts it, with the
// parameters unless interactive, holding the copy against writes until it has started.
// A missing resource is an error; a copy that cannot be written (a running tool holds
// it) starts nothing and says nothing. Windows asks for administrator consent.
void RunRamMapTool(const std::wstring& resourceName, const std::wstring& parameters, bool interactive,
                   HMODULE module = nullptr);

// One tick of the removal of the temporary copy: nothing while RAMMap.exe runs; otherwise
// the deletion of the copy and its folder, without waiting. True when both are gone, so
// that the timer can stop; false means "try again on the next tick" (the tool may still
// be releasing its file).
bool RemoveTempToolCopy();

// At start-up: the tool folders that earlier runs left in %TEMP% (they ended while the
// tool ran, or before the removal succeeded) go, each only when it has our name shape,
// belongs to our user, is no junction or link, and holds nothing but RAMMap.exe.
void RemoveLeftoverToolFolders();

// Plays a WAVE resource of the program asynchronously; an empty name plays the weekday
// launch sound. Failures are silent.
void PlayNotificationSound(const std::wstring& name);

}  // namespace ravenlock
