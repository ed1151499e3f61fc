#pragma once
// The servers-back watch of the tray: a timer that asks for a status check while the
// program sits hidden with the servers down (or while a launch is armed), the balloon and
// sound when they return, the status in the tray tooltip, and the armed launch.
#include <string>

#include "online/servers_back.h"
#include "ui/timer.h"

namespace ravenlock {

class MainWindow;

class ServersBackWatch {
public:
    // The timer's id among the main window's timers.
    static constexpr unsigned kTimerId = 3;
    void Create(MainWindow& main);
    // Every status result, from whichever check.
    void OnResult(const std::wstring& statusText);
    // The arming item of the tray menu was clicked.
    void ToggleArmed();
    ui::Timer Timer{kTimerId, PeriodMs()};

private:
    // The period; RAVENLOCK_SERVERS_BACK_MS shortens it for the tests, only together with
    // the loopback stand-in services.
    static unsigned PeriodMs();
    void Tick();
    MainWindow* main_ = nullptr;
    ServersBack rules_;
};

}  // namespace ravenlock
