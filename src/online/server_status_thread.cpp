#include "online/server_status_thread.h"

#include <optional>
#include <system_error>
#include <thread>

#include "app/main_window.h"
#include "online/check_gate.h"
#include "online/server_status.h"
#include "platform/app_error.h"
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
    main.ServersWatch.OnResult(status);
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

namespace {

// Paints ask for checks far more often than one takes: one runs at a time, and only the
// latest one started may touch the status line.
CheckGate& Gate() {
    static CheckGate gate;
    return gate;
}

void RunCheck(MainWindow& main, uint64_t generation);

// On the UI thread: the check ended; start the one that became due meanwhile, if any.
void CheckEnded(MainWindow& main, uint64_t generation) {
    if (const auto next = Gate().Finished(generation)) RunCheck(main, *next);
}

void RunCheck(MainWindow& main, uint64_t generation) {
    try {
        // The worker owns its share of the client; the window outlives every hand-over,
        // since hand-overs stop before the window goes.
        std::thread([&main, generation, http = main.MyHTTPs]() noexcept {
            try {
                const bool handed = ui::RunOnUiThread([&main, generation] {
                    if (!Gate().IsLatest(generation)) return;
                    main.Game.ServerStatusLabel.SetText(kStatusLoading);
                    ApplyLook(main.Game, LookWhileLoading());
                });
                if (!handed) return;  // the program is ending
                std::wstring status;
                std::optional<AppError> missingLibrary;
                try {
                    status = FetchServerStatus(*http);
                } catch (const AppError& e) {
                    // The system's HTTP library is missing: a failed check that says why, once.
                    status = kParseErrorText;
                    missingLibrary = e;
                }
                ui::RunOnUiThread([&main, generation, &status, &missingLibrary] {
                    if (Gate().IsLatest(generation)) ApplyResult(main, status);
                    CheckEnded(main, generation);
                    if (missingLibrary) throw *missingLibrary;
                });
            } catch (...) {
                // Out of memory on a worker: this check is lost, the next one may start.
                try {
                    ui::RunOnUiThread([&main, generation] { CheckEnded(main, generation); });
                } catch (...) {
                }
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the check fails quietly, as the news and Discord reads do;
        // never an error box out of a paint.
        CheckEnded(main, generation);
    }
}

}  // namespace

void StartServerStatusCheck(MainWindow& main) {
    if (const auto generation = Gate().Request()) RunCheck(main, *generation);
}

}  // namespace ravenlock
