#include "online/servers_back_watch.h"

#include <windows.h>

#include "app/main_window.h"
#include "launch/session_journal.h"
#include "launch/launch_rules.h"
#include "online/server_status.h"
#include "online/server_status_thread.h"
#include "platform/game_edition.h"
#include "platform/http_client.h"
#include "platform/processes.h"
#include "platform/tools.h"
#include "ui/dispatch.h"

namespace ravenlock {

unsigned ServersBackWatch::PeriodMs() {
    wchar_t text[16]{};
    const DWORD n = GetEnvironmentVariableW(L"RAVENLOCK_SERVERS_BACK_MS", text, 16);
    const bool standIn = ServiceUrl(kStatusUrl) != kStatusUrl;
    return ServersBackPeriodMs(n > 0 && n < 16 ? std::wstring(text, n) : L"", standIn);
}

void ServersBackWatch::Create(MainWindow& main) {
    main_ = &main;
    Timer.Bind(main.Handle());
    Timer.onTimer = [this] { Tick(); };
    // The timer ticks for the whole run; a tick asks for a check only while one is wanted,
    // so showing, hiding and the game need no hooks of their own.
    Timer.SetEnabled(true);
}

void ServersBackWatch::Tick() {
    MainWindow& w = *main_;
    const bool hidden = !IsWindowVisible(w.Handle());
    if (rules_.TimerWanted(hidden, w.Game.GameIsFollowed())) StartServerStatusCheck(w);
}

void ServersBackWatch::OnResult(const std::wstring& statusText) {
    MainWindow& w = *main_;
    // Started from Steam or by the hotkey, the game may run without the monitor yet.
    const bool gameRuns = w.Game.GameIsFollowed() || ProcessExists(CurrentEdition().ExecutableName());
    const ServersBack::Turn turn = rules_.OnResult(statusText, gameRuns);
    w.TrayPopupMenu.SetItemChecked(ids::kArmLaunchN, rules_.Armed());
    // While the game runs the tooltip belongs to the monitor.
    if (!w.Game.GameIsFollowed())
        w.Tray.SetTip(IsGoodStatus(statusText) ? ui::ApplicationTitle() : StatusTooltip(statusText));
    if (turn.balloon) {
        w.Tray.ShowBalloon(kServersBackTitle, kServersBackText);
        PlayNotificationSound(L"");
    }
    if (turn.launch) w.PostAutoRunPress();
}

void ServersBackWatch::ToggleArmed() {
    rules_.SetArmed(!rules_.Armed());
    main_->TrayPopupMenu.SetItemChecked(ids::kArmLaunchN, rules_.Armed());
}

}  // namespace ravenlock
