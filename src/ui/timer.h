#pragma once
// A window timer that can be switched on and off, like a timer component on a form.
#include <windows.h>

#include <functional>

namespace ravenlock::ui {

class Timer {
public:
    Timer(UINT_PTR id, UINT intervalMs) : id_(id), interval_(intervalMs) {}
    void Bind(HWND owner) { owner_ = owner; }
    void SetEnabled(bool enabled) {
        enabled_ = enabled;
        if (!owner_) return;
        if (enabled) SetTimer(owner_, id_, interval_, nullptr);
        else KillTimer(owner_, id_);
    }
    bool Enabled() const { return enabled_; }
    UINT_PTR Id() const { return id_; }
    std::function<void()> onTimer;

private:
    HWND owner_ = nullptr;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_ = false;
};

}  // namespace ravenlock::ui
