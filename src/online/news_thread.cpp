#include "online/news_thread.h"

#include <system_error>
#include <thread>

#include "app/main_window.h"
#include "online/news_feed.h"
#include "online/online_fetch.h"
#include "platform/app_error.h"
#include "platform/http_client.h"
#include "ui/modal_wait.h"
#include "ui/ui_thread.h"

namespace ravenlock {

namespace {

// The fill step, on the UI thread: the JSON is read here, not on the worker.
void ApplyNewsFill(MainWindow& main, const std::string& body) {
    const NewsFill fill = FillNewsFromReply(body);
    ui::Label* lines[] = {&main.Game.NewsLabel0, &main.Game.NewsLabel1, &main.Game.NewsLabel2};
    for (size_t k = 0; k < fill.entries.size(); ++k) {
        const NewsEntryFill& entry = fill.entries[k];
        NewsSlot& slot = main.State.NewsSlots[k];
        if (entry.articleUrl) slot.ArticleUrl = *entry.articleUrl;
        if (entry.blurb) {
            main.Tips.SetTip(lines[k]->Handle(), *entry.blurb);
            slot.Summary = *entry.blurb;
        }
        if (entry.pictureUrl) slot.PictureUrl = *entry.pictureUrl;
        // A reply that failed anywhere empties all three lines.
        lines[k]->SetText(fill.ok && entry.title ? *entry.title : L"");
    }
}

}  // namespace

void StartNewsUpdate(MainWindow& main) {
    try {
        std::thread([&main, http = main.MyHTTPs]() noexcept {
            try {
                const auto reply = http->Get(ServiceUrl(kNewsUrl));
                if (!reply) return;  // no news this run; the lines stay empty
                ui::RunOnUiThread([&main, &reply] { ApplyNewsFill(main, reply->body); });
            } catch (const AppError& e) {
                // The system's HTTP library is missing: the first request says so, on the UI thread.
                try {
                    ui::RunOnUiThread([&e] { throw e; });
                } catch (...) {
                }
            } catch (...) {
                // Out of memory on a worker: no news this run.
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: no news this run, silently.
    }
}

void ShowNewsWindow(MainWindow& main, int slot) {
    if (slot < 1 || slot > static_cast<int>(main.State.NewsSlots.size())) return;
    // A copy: the news may arrive during the wait, and the window shows what was asked for.
    const NewsSlot s = main.State.NewsSlots[static_cast<size_t>(slot - 1)];
    const Picture picture = ui::ResultWhilePainting(
        [http = main.MyHTTPs, url = s.PictureUrl] { return DownloadNewsPicture(*http, url); });
    main.NewsForm.ShowNews(picture, s.Summary, s.ArticleUrl);
}

}  // namespace ravenlock
