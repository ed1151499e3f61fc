#include "launch/launch_rules.h"

#include <limits>

namespace ravenlock {

std::wstring RamLine(const std::wstring& exe, uint64_t mebibytes) {
    return L"Потребление памяти процессом " + exe + L", Мб: " + std::to_wstring(mebibytes);
}

std::wstring PeakLine(const std::wstring& exe, int32_t peak) {
    return L"Потребление памяти процессом " + exe + L" (ПИК), Мб: " + std::to_wstring(peak);
}

std::optional<std::wstring> PeakLineIfMeasured(const std::wstring& exe, int32_t peak) {
    if (peak == 0) return std::nullopt;
    return PeakLine(exe, peak);
}

MonitorStep MonitorTick(const std::wstring& exe, const std::wstring& caption, bool gameRuns, uint64_t memoryMB,
                        int32_t peak) {
    MonitorStep step{caption, std::nullopt, peak, false};
    if (gameRuns) {
        step.caption = kCaptionRunning;
        step.ramLine = RamLine(exe, memoryMB);
        // The peak is a 32-bit count of MiB; a reading beyond it (petabytes) is clamped.
        const auto reading = static_cast<int64_t>(std::min<uint64_t>(memoryMB, std::numeric_limits<int32_t>::max()));
        if (reading > peak) step.peak = static_cast<int32_t>(reading);
        return step;
    }
    if (caption == kCaptionStarting) return step;  // not seen yet: keep waiting, without a limit
    step.caption = kCaptionIdle;
    step.stopMonitor = true;
    step.ramLine = PeakLineIfMeasured(exe, peak);
    return step;
}

}  // namespace ravenlock
