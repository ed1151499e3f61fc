#include "online/servers_back.h"

namespace ravenlock {

bool IsGoodStatus(const std::wstring& statusText) {
    return statusText == L"В норме" || statusText == L"Частичное отключение";
}

ServersBack::Turn ServersBack::OnResult(const std::wstring& statusText, bool gameRuns) {
    const bool good = IsGoodStatus(statusText);
    Turn turn;
    if (gameRuns) armed_ = false;
    // A return needs a bad result before it: the first result of the run is no return.
    if (good && hasResult_ && !lastGood_) {
        turn.balloon = true;
        if (armed_) {
            turn.launch = true;
            armed_ = false;
        }
    }
    hasResult_ = true;
    lastGood_ = good;
    return turn;
}

bool ServersBack::TimerWanted(bool windowHidden, bool gameRunning) const {
    if (armed_) return true;
    return windowHidden && !gameRunning && hasResult_ && !lastGood_;
}

}  // namespace ravenlock
