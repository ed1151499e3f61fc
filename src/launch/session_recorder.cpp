#include "launch/session_recorder.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "app/settings_registry.h"
#include "gameconfig/game_files.h"
#include "mods/mod_list_file.h"
#include "platform/app_error.h"
#include "platform/file_system.h"

namespace ravenlock {

namespace {
// From 1601 to 1970, in seconds, and the file times' ticks per second.
constexpr int64_t kEpochGap = 11644473600ll;
constexpr uint64_t kTicksPerSecond = 10000000ull;
}  // namespace

int64_t UnixSeconds(const FILETIME& ft) {
    const uint64_t ticks = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<int64_t>(ticks / kTicksPerSecond) - kEpochGap;
}

FILETIME FileTimeOf(int64_t unixSeconds) {
    const uint64_t ticks = static_cast<uint64_t>(unixSeconds + kEpochGap) * kTicksPerSecond;
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

namespace {

std::wstring ValueName(int i) { return kJournalValuePrefix + std::to_wstring(i); }

// The newest dump the game wrote into its folder during the session; "" when none.
std::wstring DumpOfSession(const std::wstring& gameFolder, int64_t start, int64_t end) {
    if (gameFolder.empty()) return L"";
    std::wstring found;
    int64_t newest = 0;
    for (const FolderEntry& e : ListFolder(gameFolder + L"*.dmp")) {
        if (e.isFolder) continue;
        const int64_t t = UnixSeconds(e.lastWrite);
        if (DumpInSession(t, start, end) && t >= newest) {
            newest = t;
            found = e.name;
        }
    }
    return found;
}

}  // namespace

int64_t UtcNow() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return UnixSeconds(ft);
}

namespace {
// Stands for a value of another type: it parses as no session, so its slot is left alone.
constexpr wchar_t kForeignValue[] = L"\x1";

std::vector<std::optional<std::wstring>> ReadSlots(const SettingsRegistry& settings) {
    std::vector<std::optional<std::wstring>> values;
    for (int i = 0; i < kJournalSize; ++i) {
        try {
            if (settings.ValueExists(ValueName(i))) values.push_back(settings.ReadString(ValueName(i)));
            else values.push_back(std::nullopt);
        } catch (const AppError&) {
            values.push_back(kForeignValue);  // a value of another type: skipped, and kept
        }
    }
    return values;
}
}  // namespace

std::vector<GameSession> ReadJournal(const SettingsRegistry& settings) { return ParseJournal(ReadSlots(settings)); }

namespace {
// How often the open value follows the game: what a crash of ours may lose of a session.
constexpr int64_t kOpenValuePeriod = 10;

int32_t PeakMB(uint64_t peak) { return static_cast<int32_t>(std::min<uint64_t>(peak, INT32_MAX)); }

// The session into the journal, with the dump the game left during it; the open value is
// emptied. False when the key could not be written.
bool Record(SettingsRegistry& settings, const std::wstring& gameFolder, GameSession s) {
    // A dump's write time has a coarse grain on some file systems: a second of slack each side.
    s.crashDump = DumpOfSession(gameFolder, s.start - 1, std::max(s.end, s.start) + 1);
    const auto slots = JournalSlotsAfter(ReadSlots(settings), s);
    try {
        for (int i = 0; i < kJournalSize; ++i)
            if (slots[static_cast<size_t>(i)]) settings.WriteString(ValueName(i), *slots[static_cast<size_t>(i)]);
        settings.WriteString(kOpenSessionValue, L"");
    } catch (const AppError&) {
        return false;
    }
    return true;
}
}  // namespace

SessionMods ModsOfGame(const std::wstring& profileFolder) {
    try {
        return ModsOfLists(ReadGameModLists(profileFolder));
    } catch (const AppError&) {
        // A custom file that cannot be read now (locked, too large) loads no mods for the
        // game either; the monitor's tick shows no box for it.
        return ModsOfLists({});
    }
}

void SessionRecorder::StoreOpen(SettingsRegistry& settings, int64_t now) {
    stored_ = now;
    try {
        settings.WriteString(kOpenSessionValue, FormatSession({start_, std::max(now, start_), PeakMB(peak_), L"", mods_}));
    } catch (const AppError&) {
        // Without the key the session is still recorded at its end, as ever.
    }
}

void SessionRecorder::Started(SettingsRegistry& settings, SessionMods mods) {
    start_ = UtcNow();
    peak_ = 0;
    mods_ = std::move(mods);
    StoreOpen(settings, start_);
}

void SessionRecorder::Saw(uint64_t memoryMB, SettingsRegistry& settings) {
    if (memoryMB > peak_) peak_ = memoryMB;
    const int64_t now = UtcNow();
    if (Running() && (now - stored_ >= kOpenValuePeriod || now < stored_)) StoreOpen(settings, now);
}

bool SessionRecorder::Ended(SettingsRegistry& settings, const std::wstring& gameFolder) {
    if (start_ == 0) return false;
    const GameSession s{start_, UtcNow(), PeakMB(peak_), L"", mods_};
    start_ = 0;
    return Record(settings, gameFolder, s);
}

bool SessionRecorder::CloseLeftOpen(SettingsRegistry& settings, const std::wstring& gameFolder) {
    std::optional<GameSession> open;
    try {
        if (settings.ValueExists(kOpenSessionValue)) open = ParseSession(settings.ReadString(kOpenSessionValue));
    } catch (const AppError&) {
        return false;  // a value of another type is not ours
    }
    return open && Record(settings, gameFolder, *open);
}

}  // namespace ravenlock
