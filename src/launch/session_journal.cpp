#include "launch/session_journal.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace ravenlock {
namespace {

// Days since 1970-01-01 for a proleptic Gregorian date, and back (H. Hinnant's algorithms).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

struct Civil {
    int64_t y;
    unsigned m, d;
};

Civil CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int64_t>(yoe) + era * 400 + (m <= 2), m, d};
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Digits at [pos, pos+n) as a number, or -1.
int Digits(const std::wstring& t, size_t pos, size_t n) {
    int v = 0;
    for (size_t i = pos; i < pos + n; ++i) {
        if (t[i] < L'0' || t[i] > L'9') return -1;
        v = v * 10 + (t[i] - L'0');
    }
    return v;
}

std::optional<int32_t> ParseCount(const std::wstring& t) {
    if (t.empty() || t.size() > 9) return std::nullopt;
    int32_t v = 0;
    for (wchar_t c : t) {
        if (c < L'0' || c > L'9') return std::nullopt;
        v = v * 10 + (c - L'0');
    }
    return v;
}

std::wstring Two(unsigned v) {
    wchar_t buf[8];
    std::swprintf(buf, 8, L"%02u", v);
    return buf;
}

}  // namespace

std::wstring IsoUtc(int64_t seconds) {
    const int64_t days = FloorDiv(seconds, 86400);
    const int64_t rest = seconds - days * 86400;
    const Civil c = CivilFromDays(days);
    wchar_t buf[48];
    std::swprintf(buf, 48, L"%04lld-%02u-%02uT%02lld:%02lld:%02lldZ", static_cast<long long>(c.y), c.m, c.d,
                  static_cast<long long>(rest / 3600), static_cast<long long>(rest / 60 % 60),
                  static_cast<long long>(rest % 60));
    return buf;
}

std::optional<int64_t> ParseIsoUtc(const std::wstring& t) {
    if (t.size() != 20 || t[4] != L'-' || t[7] != L'-' || t[10] != L'T' || t[13] != L':' || t[16] != L':' ||
        t[19] != L'Z')
        return std::nullopt;
    const int y = Digits(t, 0, 4), mo = Digits(t, 5, 2), d = Digits(t, 8, 2);
    const int h = Digits(t, 11, 2), mi = Digits(t, 14, 2), s = Digits(t, 17, 2);
    if (y < 1970 || mo < 1 || mo > 12 || d < 1 || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59)
        return std::nullopt;
    static const unsigned kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    const unsigned last = kMonthDays[mo - 1] + (mo == 2 && leap ? 1 : 0);
    if (static_cast<unsigned>(d) > last) return std::nullopt;
    return DaysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * 86400 + h * 3600 + mi * 60 + s;
}

SessionMods ModsOfLists(const ModLists& lists) {
    // FNV-1a over the names in lower case, each followed by a break, the lists apart.
    uint32_t hash = 2166136261u;
    auto add = [&hash](wchar_t c) {
        for (int shift : {0, 8}) {
            hash ^= (static_cast<uint32_t>(c) >> shift) & 0xFF;
            hash *= 16777619u;
        }
    };
    for (const auto* list : {&lists.main, &lists.startUp}) {
        for (const auto& name : *list) {
            for (wchar_t c : name) add(static_cast<wchar_t>(std::towlower(c)));
            add(L'\n');
        }
        add(L'|');
    }
    wchar_t text[9];
    swprintf(text, 9, L"%08x", hash);
    return {static_cast<int32_t>(lists.main.size() + lists.startUp.size()), text};
}

std::wstring FormatSession(const GameSession& s) {
    std::wstring text =
        IsoUtc(s.start) + L"|" + IsoUtc(s.end) + L"|" + std::to_wstring(s.peakMB) + L"|" + s.crashDump;
    if (s.mods) text += L"|" + std::to_wstring(s.mods->count) + L"|" + s.mods->fingerprint;
    return text;
}

std::optional<GameSession> ParseSession(const std::wstring& value) {
    std::vector<std::wstring> fields;
    size_t from = 0;
    for (;;) {
        const size_t bar = value.find(L'|', from);
        fields.push_back(value.substr(from, bar == std::wstring::npos ? std::wstring::npos : bar - from));
        if (bar == std::wstring::npos) break;
        from = bar + 1;
    }
    if (fields.size() != 4 && fields.size() != 6) return std::nullopt;
    std::optional<SessionMods> mods;
    if (fields.size() == 6) {
        const auto count = ParseCount(fields[4]);
        const bool hex = fields[5].size() == 8 &&
                         fields[5].find_first_not_of(L"0123456789abcdef") == std::wstring::npos;
        if (!count || !hex) return std::nullopt;
        mods = SessionMods{*count, fields[5]};
    }
    const auto start = ParseIsoUtc(fields[0]);
    const auto end = ParseIsoUtc(fields[1]);
    const auto peak = ParseCount(fields[2]);
    if (!start || !end || !peak || *end < *start) return std::nullopt;
    // A dump name is a bare file name; anything with a path in it was not written by us.
    if (fields[3].find_first_of(L"\\/:") != std::wstring::npos) return std::nullopt;
    return GameSession{*start, *end, *peak, fields[3], mods};
}

std::vector<GameSession> ParseJournal(const std::vector<std::optional<std::wstring>>& values) {
    std::vector<GameSession> out;
    for (const auto& v : values) {
        if (!v) continue;
        if (auto s = ParseSession(*v)) out.push_back(std::move(*s));
    }
    return out;
}

std::vector<std::optional<std::wstring>> JournalSlotsAfter(const std::vector<std::optional<std::wstring>>& values,
                                                           GameSession s) {
    s.end = std::max(s.end, s.start);
    std::vector<GameSession> sessions{s};
    for (const auto& session : ParseJournal(values)) sessions.push_back(session);
    std::vector<std::optional<std::wstring>> slots(kJournalSize);
    size_t next = 0;
    for (size_t i = 0; i < slots.size(); ++i) {
        const std::optional<std::wstring> held = i < values.size() ? values[i] : std::nullopt;
        if (held && !held->empty() && !ParseSession(*held)) continue;  // not ours to rewrite
        if (next < sessions.size()) slots[i] = FormatSession(sessions[next++]);
        else if (held && !held->empty()) slots[i] = L"";
    }
    return slots;
}

std::wstring ModsColumnText(const std::vector<GameSession>& journal, size_t i) {
    if (i >= journal.size() || !journal[i].mods) return L"";
    std::wstring text = std::to_wstring(journal[i].mods->count);
    for (size_t j = i + 1; j < journal.size(); ++j) {
        if (!journal[j].mods) continue;
        if (journal[j].mods->fingerprint != journal[i].mods->fingerprint) text += L", изменены";
        break;
    }
    return text;
}

std::wstring DurationText(int64_t seconds) {
    const int64_t minutes = std::max<int64_t>(seconds, 0) / 60;
    return std::to_wstring(minutes / 60) + L" ч " + std::to_wstring(minutes % 60) + L" мин";
}

std::wstring WeekLine(const std::vector<GameSession>& journal, int64_t now) {
    const int64_t from = now - 7 * 86400;
    int64_t played = 0;
    int sessions = 0, crashes = 0;
    for (const auto& s : journal) {
        const int64_t a = std::max(s.start, from), b = std::min(s.end, now);
        if (b > a) played += b - a;
        if (s.end >= from && s.end <= now) {
            ++sessions;
            if (!s.crashDump.empty()) ++crashes;
        }
    }
    return L"За 7 дней: " + DurationText(played) + L", сессий: " + std::to_wstring(sessions) + L", сбоев: " +
           std::to_wstring(crashes);
}

std::wstring StartText(int64_t localSeconds) {
    const int64_t days = FloorDiv(localSeconds, 86400);
    const int64_t rest = localSeconds - days * 86400;
    const Civil c = CivilFromDays(days);
    return Two(c.d) + L"." + Two(c.m) + L"." + std::to_wstring(c.y) + L" " + Two(static_cast<unsigned>(rest / 3600)) +
           L":" + Two(static_cast<unsigned>(rest / 60 % 60));
}

std::wstring InGameTooltip(int64_t playedSeconds, uint64_t memoryMB) {
    return L"Fallout 76 — в игре " + DurationText(playedSeconds) + L", " + std::to_wstring(memoryMB) + L" МБ";
}

std::wstring StatusTooltip(const std::wstring& statusText) {
    std::wstring tip = L"Fallout76Ravenlock — " + statusText;
    if (tip.size() > kTooltipLimit) tip = tip.substr(0, kTooltipLimit - 1) + L"…";
    return tip;
}

}  // namespace ravenlock
