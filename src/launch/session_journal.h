#pragma once
// The journal of game sessions: one line per session in the settings key, newest first.
// Pure text and arithmetic, so the format, the trimming and the weekly sums are tested
// directly; reading the key and the game folder is the caller's job.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mods/mod_lists.h"

namespace ravenlock {

inline constexpr int kJournalSize = 30;                       // values Session0..Session29
inline constexpr wchar_t kJournalValuePrefix[] = L"Session";
inline constexpr wchar_t kJournalWindowTitle[] = L"Журнал игровых сессий";

// The mods a session ran with: how many archives the two lists named, and a short hash
// of the lists (names without letter case, in order, each list apart) that tells one set
// from another.
struct SessionMods {
    int32_t count = 0;
    std::wstring fingerprint;  // 8 hex digits
    bool operator==(const SessionMods&) const = default;
};
SessionMods ModsOfLists(const ModLists& lists);

// One game session; times are seconds since 1970-01-01 UTC.
struct GameSession {
    int64_t start = 0;
    int64_t end = 0;
    int32_t peakMB = 0;
    std::wstring crashDump;  // the dump's file name; empty when the session did not crash
    std::optional<SessionMods> mods = std::nullopt;  // unknown for sessions recorded before mods were
    bool operator==(const GameSession&) const = default;
};

// "2026-12-10T21:05:00Z"; nothing for text that is not exactly that shape or not a real time.
std::wstring IsoUtc(int64_t seconds);
std::optional<int64_t> ParseIsoUtc(const std::wstring& text);

// `start|end|peakMB|crash|mods|fingerprint`, the crash field being the dump's file name
// or empty; without known mods the last two fields are left out, as older versions wrote.
std::wstring FormatSession(const GameSession& s);
// Nothing for a value that does not parse: the journal skips it.
std::optional<GameSession> ParseSession(const std::wstring& value);

// The stored values in order Session0.. (absent ones as nothing) to the sessions they hold.
std::vector<GameSession> ParseJournal(const std::vector<std::optional<std::wstring>>& values);
// The slots Session0.. to write after a session ended, from the values they hold (absent
// ones as nothing; a value of another type as any text that does not parse). The new
// session goes first and ours move down, filling the slots in order; a value we cannot
// parse may be another version's and keeps its slot untouched, as does an absent slot
// with nothing to hold. Nothing in the result means "leave that slot alone"; "" empties a
// slot whose session moved on. A session whose end the clock put before its start is
// stored as lasting no time.
std::vector<std::optional<std::wstring>> JournalSlotsAfter(const std::vector<std::optional<std::wstring>>& values,
                                                           GameSession s);

// The "Моды" column of session i (newest first): the count, with ", изменены" when the
// set differs from that of the session before it that knows its mods; "" when unknown.
std::wstring ModsColumnText(const std::vector<GameSession>& journal, size_t i);

// "<h> ч <m> мин", whole minutes, for the duration column and the tooltip.
std::wstring DurationText(int64_t seconds);
// The line below the list: the time played in the last 7×24 hours (the part of each session
// inside them, so a session across a midnight or the window's edge counts what fell inside),
// the sessions and the crashes among those that ended inside them.
std::wstring WeekLine(const std::vector<GameSession>& journal, int64_t now);
// The start column: local time as the caller converted it, "10.12.2026 21:05".
std::wstring StartText(int64_t localSeconds);

// The tray tooltip while the game runs.
std::wstring InGameTooltip(int64_t playedSeconds, uint64_t memoryMB);
// The tray tooltip when the servers' last status is not the good one; kept within the
// notification area's limit (127 characters).
std::wstring StatusTooltip(const std::wstring& statusText);
inline constexpr size_t kTooltipLimit = 127;

// Whether a dump file written at `writeTime` belongs to the session [start, end].
inline bool DumpInSession(int64_t writeTime, int64_t start, int64_t end) {
    return writeTime >= start && writeTime <= end;
}

}  // namespace ravenlock
