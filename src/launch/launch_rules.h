#pragma once
// The launch state, carried by the game button's caption, and what each monitor tick
// makes of it. No system calls here, so the whole state machine is tested directly.
#include <cstdint>
#include <optional>
#include <string>

namespace ravenlock {

inline constexpr wchar_t kCaptionIdle[] = L"Запустить Fallout 76";
inline constexpr wchar_t kCaptionStopped[] = L"Запустить Fallout76";  // after the user stopped the game
inline constexpr wchar_t kCaptionStarting[] = L"Запуск игры...";
inline constexpr wchar_t kCaptionRunning[] = L"Игра запущена...";

// The memory lines name the executable of the edition that runs (exe).
std::wstring RamLine(const std::wstring& exe, uint64_t mebibytes);
std::wstring PeakLine(const std::wstring& exe, int32_t peak);

// The outcome of one tick of the 2-second monitor.
struct MonitorStep {
    std::wstring caption;                  // the button's caption afterwards
    std::optional<std::wstring> ramLine;   // a new memory line, if any
    int32_t peak = 0;                      // the peak afterwards
    bool stopMonitor = false;              // the game has ended: timer off, window back
};

MonitorStep MonitorTick(const std::wstring& exe, const std::wstring& caption, bool gameRuns, uint64_t memoryMB,
                        int32_t peak);

// The peak line shown when the user stops the game or the game ends; nothing while the
// game was never measured (the memory line keeps its text).
std::optional<std::wstring> PeakLineIfMeasured(const std::wstring& exe, int32_t peak);

}  // namespace ravenlock
