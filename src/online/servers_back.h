#pragma once
// Watching for the servers to come back while the program sits in the tray: when the
// background checks run, when a result counts as a return, and the one-shot launch armed
// from the tray menu. Decisions only; the timer, the balloon and the launch are the caller's.
#include <string>

namespace ravenlock {

inline constexpr unsigned kServersBackPeriodMs = 2 * 60 * 1000;
inline constexpr wchar_t kServersBackTitle[] = L"Fallout 76";
inline constexpr wchar_t kServersBackText[] = L"Серверы снова доступны";

// "В норме" and "Частичное отключение": the game can be played.
bool IsGoodStatus(const std::wstring& statusText);
// "Техническое обслуживание" and "Полное отключение": the service itself says the servers
// are down. A failed fetch or a status we do not know says nothing about them.
bool IsDownStatus(const std::wstring& statusText);

// The watch's period: the test hook RAVENLOCK_SERVERS_BACK_MS (100 ms up to the 2 minutes)
// counts only while the services are the loopback stand-ins of the tests, as
// RAVENLOCK_SERVICE_BASE does; otherwise, and for any other value, the 2 minutes.
unsigned ServersBackPeriodMs(const std::wstring& hookValue, bool standInServices);

class ServersBack {
public:
    struct Turn {
        bool balloon = false;  // the servers came back: balloon and sound
        bool launch = false;   // ...and the armed launch fires now
    };
    // A status result arrived (any check, the timer's or the window's). Only a good status
    // after one the service reported as down is a return; any other result leaves the last
    // known state as it was. A game already running takes the armed launch's place: it is
    // disarmed and never fires.
    Turn OnResult(const std::wstring& statusText, bool gameRuns);
    void SetArmed(bool armed) { armed_ = armed; }
    bool Armed() const { return armed_; }
    // Whether the 2-minute timer should be running now.
    bool TimerWanted(bool windowHidden, bool gameRunning) const;

private:
    bool hasResult_ = false;  // any result at all, a failed fetch too
    bool known_ = false;      // a good or down status came
    bool lastGood_ = false;   // of the last good or down status
    bool armed_ = false;
};

}  // namespace ravenlock
