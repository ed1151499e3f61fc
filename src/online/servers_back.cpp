#include "online/servers_back.h"

namespace ravenlock {

bool IsGoodStatus(const std::wstring& statusText) {
    return statusText == L"В норме" || statusText == L"Частичное отключение";
}

bool IsDownStatus(const std::wstring& statusText) {
    return statusText == L"Техническое обслуживание" || statusText == L"Полное отключение";
}

unsigned ServersBackPeriodMs(const std::wstring& hookValue, bool standInServices) {
    if (!standInServices || hookValue.empty() || hookValue.size() > 9) return kServersBackPeriodMs;
    unsigned long ms = 0;
    for (wchar_t c : hookValue) {
        if (c < L'0' || c > L'9') return kServersBackPeriodMs;
        ms = ms * 10 + static_cast<unsigned long>(c - L'0');
    }
    return ms >= 100 && ms <= kServersBackPeriodMs ? static_cast<unsigned>(ms) : kServersBackPeriodMs;
}

ServersBack::Turn ServersBack::OnResult(const std::wstring& statusText, bool gameRuns) {
    const bool good = IsGoodStatus(statusText);
    Turn turn;
    if (gameRuns) armed_ = false;
    hasResult_ = true;
    // A sleep or a short network loss is no outage: the servers were not seen going down.
    if (!good && !IsDownStatus(statusText)) return turn;
    // A return needs a down status before it: the first status of the run is no return.
    if (good && known_ && !lastGood_) {
        turn.balloon = true;
        if (armed_) {
            turn.launch = true;
            armed_ = false;
        }
    }
    known_ = true;
    lastGood_ = good;
    return turn;
}

bool ServersBack::TimerWanted(bool windowHidden, bool gameRunning) const {
    if (armed_) return true;
    return windowHidden && !gameRunning && hasResult_ && !lastGood_;
}

}  // namespace ravenlock
