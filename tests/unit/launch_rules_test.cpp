#include <gtest/gtest.h>

#include "launch/launch_rules.h"

namespace ravenlock {
namespace {

TEST(LaunchRules, MonitorTicksFollowTheGame) {
    const std::wstring ram = L"Потребление памяти процессом Fallout76.exe, Мб: ";
    const std::wstring peak = L"Потребление памяти процессом Fallout76.exe (ПИК), Мб: ";
    const struct {
        const wchar_t* caption;
        bool runs;
        uint64_t memory;
        int32_t peakBefore;
        const wchar_t* captionAfter;
        std::optional<std::wstring> line;
        int32_t peakAfter;
        bool stop;
    } cases[] = {
        // Starting, the game not seen yet: nothing changes, the monitor keeps waiting.
        {L"Запуск игры...", false, 0, 0, L"Запуск игры...", std::nullopt, 0, false},
        // First sight of the game.
        {L"Запуск игры...", true, 3100, 0, L"Игра запущена...", ram + L"3100", 3100, false},
        // Running: a lower reading keeps the peak, a higher one raises it.
        {L"Игра запущена...", true, 2900, 3100, L"Игра запущена...", ram + L"2900", 3100, false},
        {L"Игра запущена...", true, 4200, 3100, L"Игра запущена...", ram + L"4200", 4200, false},
        // A reading of 0 (the process could not be queried) leaves the peak alone.
        {L"Игра запущена...", true, 0, 3100, L"Игра запущена...", ram + L"0", 3100, false},
        // The game has ended: idle again, the peak shown.
        {L"Игра запущена...", false, 0, 4200, L"Запустить Fallout 76", peak + L"4200", 4200, true},
        // Ended without ever being measured: the memory line keeps its text.
        {L"Игра запущена...", false, 0, 0, L"Запустить Fallout 76", std::nullopt, 0, true},
    };
    for (const auto& c : cases) {
        const MonitorStep step = MonitorTick(L"Fallout76.exe", c.caption, c.runs, c.memory, c.peakBefore);
        EXPECT_EQ(step.caption, c.captionAfter) << c.caption << " runs=" << c.runs;
        EXPECT_EQ(step.ramLine, c.line) << c.caption << " runs=" << c.runs;
        EXPECT_EQ(step.peak, c.peakAfter) << c.caption << " runs=" << c.runs;
        EXPECT_EQ(step.stopMonitor, c.stop) << c.caption << " runs=" << c.runs;
    }
}

TEST(LaunchRules, PeakLineOnlyOnceMeasured) {
    EXPECT_EQ(PeakLineIfMeasured(L"Fallout76.exe", 0), std::nullopt);
    EXPECT_EQ(PeakLineIfMeasured(L"Fallout76.exe", 5321), L"Потребление памяти процессом Fallout76.exe (ПИК), Мб: 5321");
    // The Store edition's lines name its own executable.
    EXPECT_EQ(MonitorTick(L"Project76_GamePass.exe", L"Запуск игры...", true, 2500, 0).ramLine,
              L"Потребление памяти процессом Project76_GamePass.exe, Мб: 2500");
}

}  // namespace
}  // namespace ravenlock
