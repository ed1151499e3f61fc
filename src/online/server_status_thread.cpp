#include "online/server_status_thread.h"

#include <thread>

#include "app/main_window.h"
#include "online/server_status.h"
#include "platform/http_client.h"
#include "platform/tools.h"
#include "ui/ui_thread.h"

namespace ravenlock {

namespace {

void ApplyLook(GameTab& game, const StatusLook& look) {
    game.ServerStatusLabel.SetColor(RGB(look.r, look.g, look.b));
    game.RunGameButton.SetEnabled(look.enableRunButton);
}

// The result step, on the UI thread.
void ApplyResult(MainWindow& main, const std::wstring& status) {
    GameTab& game = main.Game;
    const StatusLook look = LookOfStatus(status);
    ApplyLook(game, look);
    game.ServerStatusLabel.SetText(kStatusPrefix + status);
    const bool autoRun = main.State.AutoRunPending;
    main.State.AutoRunPending = false;  // one automatic launch at most, whatever the result
    if (autoRun) {
        if (look.enableRunButton) main.PostAutoRunPress();
        else PlayNotificationSound(L"sndChangePriority");
    }
}

}  // namespace

std::wstring FetchServerStatus(const HttpClient& http) {
    const auto reply = http.Get(ServiceUrl(kStatusUrl));
    if (!reply) return kParseErrorText;
    return StatusTextFromReply(reply->body);
}

void StartServerStatusCheck(MainWindow& main) {
    // The worker owns its share of the client; the window outlives every hand-over, since
    // hand-overs stop before the window goes.
    std::thread([&main, http = main.MyHTTPs]() noexcept {
        try {
                const bool handed = ui::RunOnUiThread([&main] {
                main.Game.ServerStatusLabel.SetText(kStatusLoading);
                ApplyLook(main.Game, LookWhileLoading());
            });
            if (!handed) return;  // the program is ending
            const std::wstring status = FetchServerStatus(*http);
            ui::RunOnUiThread([&main, &status] { ApplyResult(main, status); });
        } catch (...) {
            // Out of memory on a worker: this check is lost, the program goes on.
        }
    }).detach();
}

}  // namespace ravenlock
