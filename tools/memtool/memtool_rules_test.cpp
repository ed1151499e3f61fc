#include <gtest/gtest.h>

#include "memtool_rules.h"

namespace memtool {
namespace {

using A = Action;

TEST(MemtoolSwitches, KnownSwitchesInAnyCaseAndPrefix) {
    const struct {
        std::vector<std::wstring> args;
        std::vector<Action> actions;
    } cases[] = {
        {{}, {}},
        {{L"-Et"}, {A::PurgeStandby}},
        {{L"/et"}, {A::PurgeStandby}},
        {{L"-ET"}, {A::PurgeStandby}},
        {{L"-Ew"}, {A::EmptyWorkingSets}},
        {{L"/EW"}, {A::EmptyWorkingSets}},
        {{L"-Ew", L"-Et"}, {A::EmptyWorkingSets, A::PurgeStandby}},
    };
    for (const auto& c : cases) {
        const Switches s = ParseSwitches(c.args);
        EXPECT_EQ(s.actions, c.actions) << (c.args.empty() ? L"(none)" : c.args[0]);
        EXPECT_FALSE(s.unknown.has_value()) << (c.args.empty() ? L"(none)" : c.args[0]);
    }
}

TEST(MemtoolSwitches, AnythingElseIsUnknownAndCancelsTheRest) {
    const struct {
        std::vector<std::wstring> args;
        std::wstring unknown;
    } cases[] = {
        {{L"Et"}, L"Et"},
        {{L"--Et"}, L"--Et"},
        {{L"-Etx"}, L"-Etx"},
        {{L"-E"}, L"-E"},
        {{L"-Em"}, L"-Em"},
        {{L"\\Et"}, L"\\Et"},
        {{L""}, L""},
        {{L"-Et", L"-Es"}, L"-Es"},
        {{L"-Еt"}, L"-Еt"},  // Cyrillic Е looks the same but is not the switch
    };
    for (const auto& c : cases) {
        const Switches s = ParseSwitches(c.args);
        ASSERT_TRUE(s.unknown.has_value()) << c.unknown;
        EXPECT_EQ(*s.unknown, c.unknown);
        EXPECT_TRUE(s.actions.empty()) << c.unknown;
    }
}

TEST(MemtoolOutcome, StatusSortsIntoOutcomeAndExitCode) {
    const struct {
        uint32_t status;
        Outcome outcome;
        int exitCode;
    } cases[] = {
        {0x00000000, Outcome::Done, 0},
        {0x00000103, Outcome::Done, 0},         // STATUS_PENDING is not a failure
        {0xC0000002, Outcome::Unsupported, 2},  // STATUS_NOT_IMPLEMENTED
        {0xC0000003, Outcome::Unsupported, 2},  // STATUS_INVALID_INFO_CLASS
        {0xC00000BB, Outcome::Unsupported, 2},  // STATUS_NOT_SUPPORTED
        {0xC0000061, Outcome::Denied, 2},       // STATUS_PRIVILEGE_NOT_HELD
        {0xC0000022, Outcome::Denied, 2},       // STATUS_ACCESS_DENIED
        {0xC000009A, Outcome::Failed, 2},       // STATUS_INSUFFICIENT_RESOURCES
        {0x80000005, Outcome::Failed, 2},       // a warning is not success either
    };
    for (const auto& c : cases) {
        const Result r = ClassifyStatus(c.status);
        EXPECT_EQ(r.outcome, c.outcome) << std::hex << c.status;
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(ExitCode(r.outcome), c.exitCode) << std::hex << c.status;
    }
    EXPECT_EQ(ExitCode(Outcome::NoPrivilege), 1);
}

TEST(MemtoolOutcome, FirstFailureDecidesTheExitCode) {
    const Result done{}, noPrivilege{Outcome::NoPrivilege, 0}, unsupported{Outcome::Unsupported, 0xC0000002};
    const struct {
        std::vector<Result> results;
        int exitCode;
    } cases[] = {
        {{}, 0},
        {{done}, 0},
        {{done, done}, 0},
        {{done, unsupported}, 2},
        {{noPrivilege, unsupported}, 1},
        {{unsupported, noPrivilege}, 2},
    };
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(ExitCode(cases[i].results), cases[i].exitCode) << i;
}

TEST(MemtoolFormat, MebibytesAreFlooredAndGrouped) {
    const struct {
        uint64_t bytes;
        std::wstring text;
    } cases[] = {
        {0, L"0\u00A0МБ"},
        {1'048'575, L"0\u00A0МБ"},
        {1'048'576, L"1\u00A0МБ"},
        {999ull << 20, L"999\u00A0МБ"},
        {1000ull << 20, L"1\u00A0000\u00A0МБ"},
        {(16384ull << 20) + 1'048'575, L"16\u00A0384\u00A0МБ"},
        {1'048'576ull << 20, L"1\u00A0048\u00A0576\u00A0МБ"},
        {UINT64_MAX, L"17\u00A0592\u00A0186\u00A0044\u00A0415\u00A0МБ"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatMiB(c.bytes), c.text) << c.bytes;
    EXPECT_EQ(FormatMiB(std::optional<uint64_t>{}), L"нет данных");
    EXPECT_EQ(FormatMiB(std::optional<uint64_t>{5ull << 20}), L"5\u00A0МБ");
    EXPECT_EQ(FormatInUse(6120ull << 20, 38), L"6\u00A0120\u00A0МБ (38\u00A0%)");
}

TEST(MemtoolFormat, StandbyIsAllPrioritiesTimesThePageSize) {
    const uint64_t none[8] = {};
    const uint64_t some[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint64_t lastOnly[8] = {0, 0, 0, 0, 0, 0, 0, 262'144};
    EXPECT_EQ(StandbyBytes(none, 4096), 0u);
    EXPECT_EQ(StandbyBytes(some, 4096), 36u * 4096);
    EXPECT_EQ(StandbyBytes(lastOnly, 4096), 1ull << 30);
    EXPECT_EQ(StandbyBytes(some, 65536), 36u * 65536);
}

TEST(MemtoolTexts, FailureTellsWhatAndWhy) {
    const struct {
        Action action;
        Result result;
        std::wstring text;
    } cases[] = {
        {A::PurgeStandby, {Outcome::Unsupported, 0xC0000002},
         L"Не удалось очистить резервный список: система не поддерживает эту операцию."},
        {A::EmptyWorkingSets, {Outcome::Unsupported, 0},
         L"Не удалось очистить рабочие наборы: система не поддерживает эту операцию."},
        {A::PurgeStandby, {Outcome::NoPrivilege, 0},
         L"Не удалось очистить резервный список: недостаточно прав. Запустите программу от имени администратора."},
        {A::EmptyWorkingSets, {Outcome::Denied, 0xC0000061},
         L"Не удалось очистить рабочие наборы: недостаточно прав. Запустите программу от имени администратора."},
        {A::PurgeStandby, {Outcome::Failed, 0xC000009A},
         L"Не удалось очистить резервный список: система вернула ошибку 0xC000009A."},
    };
    for (const auto& c : cases) EXPECT_EQ(FailureText(c.action, c.result), c.text);
}

TEST(MemtoolTexts, SuccessIsStampedWithTheTime) {
    EXPECT_EQ(SuccessText(A::PurgeStandby, 9, 5, 7), L"09:05:07 — резервный список очищен.");
    EXPECT_EQ(SuccessText(A::EmptyWorkingSets, 23, 59, 0), L"23:59:00 — рабочие наборы очищены.");
}

}  // namespace
}  // namespace memtool
