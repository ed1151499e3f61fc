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

// The mods the game loads now: the two archive lists of its custom INI file in the
// profile folder (none when the file or the keys are missing).
SessionMods ModsOfGame(const std::wstring& profileFolder);

// The settings value that holds the session the monitor follows, `start|lastSeen|peakMB|`,
// from its start on, so that a run of ours that ends without closing it (a crash, power
// loss) leaves it for the next start to close; "" when no session is open.
inline constexpr wchar_t kOpenSessionValue[] = L"SessionOpen";

class SessionRecorder {
public:
    // The monitor saw the game for the first time, running with these mods: the session
    // is stored as open at once.
    void Started(SettingsRegistry& settings, SessionMods mods);
    // A reading of the game's memory on a monitor tick: the session's own peak, whatever
    // the program shows as the highest of all runs; the open value follows now and then.
    void Saw(uint64_t memoryMB, SettingsRegistry& settings);
    bool Running() const { return start_ != 0; }
    int64_t StartTime() const { return start_; }
    // The game ended, was stopped, or the program ends while it runs: the session goes
    // into the journal, ending now. Returns false when no session was running or the key
    // could not be written.
    bool Ended(SettingsRegistry& settings, const std::wstring& gameFolder);
    // At start-up: a session an earlier run left open goes into the journal, ending when
    // that run last saw the game. True when there was one.
    static bool CloseLeftOpen(SettingsRegistry& settings, const std::wstring& gameFolder);

private:
    void StoreOpen(SettingsRegistry& settings, int64_t now);
    int64_t start_ = 0;
    uint64_t peak_ = 0;
    SessionMods mods_;
    int64_t stored_ = 0;  // when the open value was last written
};

}  // namespace ravenlock
