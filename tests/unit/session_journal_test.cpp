#include <gtest/gtest.h>

#include "launch/session_journal.h"
#include "online/servers_back.h"

namespace ravenlock {
namespace {

// 2026-12-10T21:00:00Z
constexpr int64_t kT = 1796936400;

TEST(SessionJournal, ValuesRoundTripInTheStoredFormat) {
    EXPECT_EQ(IsoUtc(kT), L"2026-12-10T21:00:00Z");
    const GameSession crashed{kT, kT + 5400 + 59, 4200, L"Fallout76_2026.dmp"};
    EXPECT_EQ(FormatSession(crashed), L"2026-12-10T21:00:00Z|2026-12-10T22:30:59Z|4200|Fallout76_2026.dmp");
    EXPECT_EQ(ParseSession(FormatSession(crashed)), crashed);
    const GameSession clean{kT, kT + 60, 0, L""};
    EXPECT_EQ(FormatSession(clean), L"2026-12-10T21:00:00Z|2026-12-10T21:01:00Z|0|");
    EXPECT_EQ(ParseSession(FormatSession(clean)), clean);
    // Leap day and the turn of a year.
    EXPECT_EQ(ParseIsoUtc(L"2028-02-29T00:00:00Z"), ParseIsoUtc(L"2028-02-28T00:00:00Z").value() + 86400);
    EXPECT_EQ(IsoUtc(*ParseIsoUtc(L"2026-12-31T23:59:59Z") + 1), L"2027-01-01T00:00:00Z");
}

TEST(SessionJournal, CorruptValuesAreSkipped) {
    const wchar_t* bad[] = {
        L"",
        L"garbage",
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|4200",            // a field short
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|4200|a.dmp|x",    // a field too many
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|-5|",             // negative peak
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|99999999999|",    // peak beyond 32 bits
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|12x|",
        L"2026-12-10 21:00:00|2026-12-10T22:00:00Z|1|",               // not ISO
        L"2026-02-30T21:00:00Z|2026-03-10T22:00:00Z|1|",              // no such day
        L"2026-12-10T24:00:00Z|2026-12-10T22:00:00Z|1|",
        L"2026-12-10T22:00:00Z|2026-12-10T21:00:00Z|1|",              // ends before it starts
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|1|..\\..\\x.dmp", // a path, not a name
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|1||3",              // mods without their hash
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|1||-3|0123abcd",    // a negative count
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|1||3|0123ABCD",     // not our hash's spelling
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|1||3|0123abc",
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|1||3|0123abcd|x",   // a field too many
    };
    for (const wchar_t* v : bad) EXPECT_FALSE(ParseSession(v).has_value()) << v;

    const std::vector<std::optional<std::wstring>> stored = {
        L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|3000|", L"broken", std::nullopt,
        L"2026-12-09T21:00:00Z|2026-12-09T22:00:00Z|2000|b.dmp"};
    const auto journal = ParseJournal(stored);
    ASSERT_EQ(journal.size(), 2u);
    EXPECT_EQ(journal[0].peakMB, 3000);
    EXPECT_EQ(journal[1].crashDump, L"b.dmp");
}

TEST(SessionJournal, SessionsKeepTheirModsAndTheColumnMarksTheFirstAfterAChange) {
    const SessionMods two = ModsOfLists({{L"A.ba2", L"b.ba2"}, {}});
    EXPECT_EQ(two.count, 2);
    EXPECT_EQ(two.fingerprint.size(), 8u);
    // Letter case does not change the set; the order, the list and another name do.
    EXPECT_EQ(ModsOfLists({{L"a.BA2", L"B.ba2"}, {}}).fingerprint, two.fingerprint);
    for (const ModLists& other : {ModLists{{L"b.ba2", L"A.ba2"}, {}}, ModLists{{L"A.ba2"}, {L"b.ba2"}},
                                  ModLists{{L"A.ba2", L"c.ba2"}, {}}, ModLists{{L"A.ba2b.ba2"}, {}}})
        EXPECT_NE(ModsOfLists(other).fingerprint, two.fingerprint) << other.main.size();

    const GameSession withMods{kT, kT + 60, 10, L"", two};
    EXPECT_EQ(FormatSession(withMods),
              L"2026-12-10T21:00:00Z|2026-12-10T21:01:00Z|10||2|" + two.fingerprint);
    EXPECT_EQ(ParseSession(FormatSession(withMods)), withMods);

    // Newest first: the session after the set changed says so, an older value without mods
    // reads as before and shows nothing.
    const SessionMods one = ModsOfLists({{L"A.ba2"}, {}});
    const std::vector<GameSession> journal = {
        {kT + 400, kT + 500, 1, L"", two}, {kT + 300, kT + 350, 1, L"", two}, {kT + 200, kT + 250, 1, L"", std::nullopt},
        {kT + 100, kT + 150, 1, L"", one}, {kT, kT + 50, 1, L"", ModsOfLists({})}};
    const std::vector<std::wstring> column = {L"2", L"2, изменены", L"", L"1, изменены", L"0"};
    for (size_t i = 0; i < journal.size(); ++i) EXPECT_EQ(ModsColumnText(journal, i), column[i]) << i;
    EXPECT_EQ(ParseSession(L"2026-12-10T21:00:00Z|2026-12-10T22:00:00Z|1|")->mods, std::nullopt);
}

TEST(SessionJournal, ThirtyOneSessionsKeepTheNewestThirty) {
    std::vector<std::optional<std::wstring>> slots(kJournalSize);
    for (int i = 0; i < 31; ++i)
        for (size_t n = 0; const auto& slot : JournalSlotsAfter(slots, {kT + i * 3600, kT + i * 3600 + 600, i, L""})) {
            if (slot) slots[n] = *slot;
            ++n;
        }
    const auto journal = ParseJournal(slots);
    ASSERT_EQ(journal.size(), 30u);
    EXPECT_EQ(journal.front().peakMB, 30);  // newest first
    EXPECT_EQ(journal.back().peakMB, 1);    // the very first one dropped off
}

TEST(SessionJournal, ValuesOfAnotherVersionKeepTheirSlotsByteForByte) {
    const std::wstring a = L"2026-12-09T21:00:00Z|2026-12-09T22:00:00Z|2000|";
    const std::wstring b = L"2026-12-08T21:00:00Z|2026-12-08T22:00:00Z|1000|b.dmp";
    const std::wstring foreign = L"v2;2026-12-07T21:00:00Z;3600;1500;;tag=x";
    std::vector<std::optional<std::wstring>> stored(kJournalSize);
    stored[0] = a, stored[1] = foreign, stored[2] = b, stored[4] = L"";
    const GameSession now{kT, kT + 600, 3000, L""};
    const auto slots = JournalSlotsAfter(stored, now);
    ASSERT_EQ(slots.size(), static_cast<size_t>(kJournalSize));
    EXPECT_EQ(slots[0], FormatSession(now));
    EXPECT_EQ(slots[1], std::nullopt) << "the other version's value was rewritten";
    EXPECT_EQ(slots[2], a);
    EXPECT_EQ(slots[3], b);
    EXPECT_EQ(slots[4], std::nullopt);  // an emptied slot with nothing to hold
    for (size_t i = 5; i < slots.size(); ++i) EXPECT_EQ(slots[i], std::nullopt) << i;

    // A full journal: the other version's values stay where they are, the oldest of ours drops.
    std::vector<std::optional<std::wstring>> full(kJournalSize);
    for (int i = 0; i < kJournalSize; ++i)
        full[static_cast<size_t>(i)] = i % 10 == 5 ? foreign : FormatSession({kT - (i + 1) * 7200, kT - (i + 1) * 7200 + 60, i, L""});
    const auto after = JournalSlotsAfter(full, now);
    for (size_t i = 0; i < after.size(); ++i) {
        if (i % 10 == 5) EXPECT_EQ(after[i], std::nullopt) << i;
        else EXPECT_TRUE(after[i] && ParseSession(*after[i])) << i;
    }
    EXPECT_EQ(after[0], FormatSession(now));
    EXPECT_EQ(ParseSession(*after[29])->peakMB, 28) << "ours move down in order";
}

TEST(SessionJournal, ASessionTheClockEndedBeforeItsStartIsStoredAsNoTime) {
    const auto slots = JournalSlotsAfter({}, {kT, kT - 3600, 2500, L""});
    ASSERT_TRUE(slots[0]);
    const auto stored = ParseSession(*slots[0]);
    ASSERT_TRUE(stored) << "written, and then skipped forever";
    EXPECT_EQ(stored->start, kT);
    EXPECT_EQ(stored->end, kT);
    EXPECT_EQ(stored->peakMB, 2500);
}

TEST(SessionJournal, DurationsAndTooltips) {
    EXPECT_EQ(DurationText(0), L"0 ч 0 мин");
    EXPECT_EQ(DurationText(59), L"0 ч 0 мин");
    EXPECT_EQ(DurationText(3 * 3600 + 7 * 60 + 30), L"3 ч 7 мин");
    EXPECT_EQ(InGameTooltip(5400, 4321), L"Fallout 76 — в игре 1 ч 30 мин, 4321 МБ");
    EXPECT_EQ(StatusTooltip(L"Техническое обслуживание"), L"Fallout76Ravenlock — Техническое обслуживание");
    const std::wstring tip = StatusTooltip(std::wstring(200, L'x'));
    EXPECT_EQ(tip.size(), kTooltipLimit);
    EXPECT_EQ(tip.back(), L'…');
    EXPECT_EQ(StartText(kT), L"10.12.2026 21:00");
}

TEST(SessionJournal, WeekLineCountsWhatFellInsideTheLastSevenDays) {
    const int64_t now = *ParseIsoUtc(L"2026-12-11T00:30:00Z");
    const std::vector<GameSession> journal = {
        // Across the last midnight: 23:00 to 00:20, all 80 minutes count.
        {*ParseIsoUtc(L"2026-12-10T23:00:00Z"), *ParseIsoUtc(L"2026-12-11T00:20:00Z"), 4000, L"a.dmp"},
        // Three days ago, one hour.
        {*ParseIsoUtc(L"2026-12-08T10:00:00Z"), *ParseIsoUtc(L"2026-12-08T11:00:00Z"), 3000, L""},
        // Across the window's edge (seven days ago, 00:30): only the 30 minutes inside count.
        {*ParseIsoUtc(L"2026-12-03T23:30:00Z"), *ParseIsoUtc(L"2026-12-04T01:00:00Z"), 3000, L"b.dmp"},
        // Entirely before the window.
        {*ParseIsoUtc(L"2026-12-01T10:00:00Z"), *ParseIsoUtc(L"2026-12-01T15:00:00Z"), 3000, L"c.dmp"},
    };
    EXPECT_EQ(WeekLine(journal, now), L"За 7 дней: 2 ч 50 мин, сессий: 3, сбоев: 2");
    EXPECT_EQ(WeekLine({}, now), L"За 7 дней: 0 ч 0 мин, сессий: 0, сбоев: 0");
}

TEST(SessionJournal, DumpBelongsToTheSessionItWasWrittenIn) {
    EXPECT_TRUE(DumpInSession(kT + 10, kT, kT + 60));
    EXPECT_TRUE(DumpInSession(kT + 60, kT, kT + 60));
    EXPECT_FALSE(DumpInSession(kT - 1, kT, kT + 60));  // left from an earlier crash
    EXPECT_FALSE(DumpInSession(kT + 61, kT, kT + 60));
}

TEST(ServersBack, OneBalloonPerReturnAndTheArmedLaunchOnce) {
    ServersBack sb;
    // The first result is no return, whatever it says.
    EXPECT_FALSE(sb.OnResult(L"В норме", false).balloon);
    EXPECT_FALSE(sb.OnResult(L"Техническое обслуживание", false).balloon);
    EXPECT_FALSE(sb.OnResult(L"Ошибка разбора данных", false).balloon);
    sb.SetArmed(true);
    const auto back = sb.OnResult(L"Частичное отключение", false);
    EXPECT_TRUE(back.balloon);
    EXPECT_TRUE(back.launch);
    EXPECT_FALSE(sb.Armed());
    // Still good: no second balloon.
    EXPECT_FALSE(sb.OnResult(L"В норме", false).balloon);
    // Down and back again, not armed: a balloon, no launch.
    sb.OnResult(L"Техническое обслуживание", false);
    const auto again = sb.OnResult(L"В норме", false);
    EXPECT_TRUE(again.balloon);
    EXPECT_FALSE(again.launch);
}

TEST(ServersBack, ARunningGameDisarmsTheLaunchInsteadOfFiringIt) {
    ServersBack sb;
    sb.OnResult(L"Техническое обслуживание", false);
    sb.SetArmed(true);
    // Down still, but the user started the game meanwhile: the launch is no longer wanted.
    EXPECT_FALSE(sb.OnResult(L"Техническое обслуживание", true).launch);
    EXPECT_FALSE(sb.Armed());
    EXPECT_FALSE(sb.OnResult(L"В норме", false).launch) << "fired after it was disarmed";

    // Armed while the servers are down; the game runs when they return.
    sb.OnResult(L"Полное отключение", false);
    sb.SetArmed(true);
    const auto back = sb.OnResult(L"В норме", true);
    EXPECT_TRUE(back.balloon);
    EXPECT_FALSE(back.launch) << "the press would stop the running game";
    EXPECT_FALSE(sb.Armed());
}

TEST(ServersBack, AFailedFetchIsNoOutage) {
    ServersBack sb;
    sb.OnResult(L"В норме", false);
    sb.OnResult(L"Ошибка разбора данных", false);
    EXPECT_FALSE(sb.TimerWanted(true, false)) << "the last known state was good";
    sb.SetArmed(true);
    // A sleep or a network blip: fetches fail, then the servers answer as before.
    for (const wchar_t* nothingSaid : {L"Ошибка разбора данных", L"", L"degraded_performance"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(nothingSaid)));
        sb.OnResult(nothingSaid, false);
        const auto turn = sb.OnResult(L"В норме", false);
        EXPECT_FALSE(turn.balloon);
        EXPECT_FALSE(turn.launch);
    }
    EXPECT_TRUE(sb.Armed());
    // Down as the service says, a failed fetch in between, then back: one return.
    sb.OnResult(L"Полное отключение", false);
    sb.OnResult(L"Ошибка разбора данных", false);
    EXPECT_TRUE(sb.TimerWanted(true, false)) << "still down as far as we know";
    const auto back = sb.OnResult(L"Частичное отключение", false);
    EXPECT_TRUE(back.balloon);
    EXPECT_TRUE(back.launch);
}

TEST(ServersBack, TheTestHookCountsOnlyWithTheStandInServices) {
    const struct {
        const wchar_t* hook;
        bool standIn;
        unsigned period;
    } cases[] = {
        {L"500", true, 500},
        {L"100", true, 100},
        {L"120000", true, kServersBackPeriodMs},
        {L"500", false, kServersBackPeriodMs},  // the shipped program against the real service
        {L"99", true, kServersBackPeriodMs},
        {L"120001", true, kServersBackPeriodMs},
        {L"5e2", true, kServersBackPeriodMs},
        {L"-500", true, kServersBackPeriodMs},
        {L"", true, kServersBackPeriodMs},
        {L"9999999999", true, kServersBackPeriodMs},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ServersBackPeriodMs(c.hook, c.standIn), c.period) << testing::PrintToString(std::wstring(c.hook)) << c.standIn;
}

TEST(ServersBack, TimerRunsOnlyWhenHiddenDownAndNoGame) {
    ServersBack sb;
    EXPECT_FALSE(sb.TimerWanted(true, false));  // no result yet: the start-up check is on its way
    sb.OnResult(L"Техническое обслуживание", false);
    EXPECT_TRUE(sb.TimerWanted(true, false));
    EXPECT_FALSE(sb.TimerWanted(false, false));  // shown
    EXPECT_FALSE(sb.TimerWanted(true, true));    // the game runs
    sb.SetArmed(true);
    EXPECT_TRUE(sb.TimerWanted(false, false));   // armed: shown or not
    sb.SetArmed(false);
    sb.OnResult(L"В норме", false);
    EXPECT_FALSE(sb.TimerWanted(true, false));
}

}  // namespace
}  // namespace ravenlock
