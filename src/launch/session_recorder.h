#pragma once
// Records each game session the monitor follows into the journal in the settings key,
// with the crash dump the game left in its folder during it.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "launch/session_journal.h"

namespace ravenlock {

class SettingsRegistry;

// Seconds since 1970 UTC, now.
int64_t UtcNow();
// The journal's seconds since 1970 and the system's file times, both ways.
int64_t UnixSeconds(const FILETIME& ft);
FILETIME FileTimeOf(int64_t unixSeconds);

// The journal as the settings key holds it; corrupt values skipped.
std::vector<GameSession> ReadJournal(const SettingsRegistry& settings);

class SessionRecorder {
public:
    // The monitor saw the game for the first time.
    void Started();
    // A reading of the game's memory on a monitor tick: the session's own peak, whatever
    // the program shows as the highest of all runs.
    void Saw(uint64_t memoryMB) {
        if (memoryMB > peak_) peak_ = memoryMB;
    }
    bool Running() const { return start_ != 0; }
    int64_t StartTime() const { return start_; }
    // The game ended (or was stopped): the session goes into the journal. Returns false
    // when no session was running or the key could not be written.
    bool Ended(SettingsRegistry& settings, const std::wstring& gameFolder);

private:
    int64_t start_ = 0;
    uint64_t peak_ = 0;
};

}  // namespace ravenlock
