#pragma once
// The journal window: the recorded game sessions in a table and the last seven days in
// one line below it. Fixed size, owned by the program's hidden owner window like the
// news window; created hidden at start-up, opened from the tray menu.
#include <windows.h>

#include <vector>

#include "launch/session_journal.h"
#include "ui/controls.h"
#include "ui/native_controls.h"
#include "ui/window.h"

namespace ravenlock {

class SettingsRegistry;

class JournalWindow : public ui::Window {
public:
    static constexpr int kClientW = 620, kClientH = 330;
    void Create(HWND owner, const SettingsRegistry& settings, const std::wstring& gameFolder);
    // Reads the journal afresh and shows the window in front.
    void Open();
    // A session ended: the table follows when the window is open.
    void SessionRecorded();

    ui::ListView Sessions;
    ui::Label WeekLabel;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Refresh();
    void ShowDumpInFolder();
    const SettingsRegistry* settings_ = nullptr;
    const std::wstring* gameFolder_ = nullptr;
    std::vector<GameSession> shown_;
};

}  // namespace ravenlock
