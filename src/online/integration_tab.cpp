#include "online/integration_tab.h"

#include <system_error>
#include <thread>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "online/discord_widget.h"
#include "online/online_fetch.h"
#include "online/server_status.h"
#include "online/web_address.h"
#include "platform/app_error.h"
#include "platform/processes.h"
#include "ui/ui_thread.h"

namespace ravenlock {

namespace {
constexpr int kDiscordFieldTag = 10, kTelegramFieldTag = 20;
constexpr wchar_t kDiscordServerIdSetting[] = L"DiscordServerID";
}  // namespace

void IntegrationTab::Create(ui::Page& page, MainWindow& main, HBITMAP rowPicture) {
    main_ = &main;
    HWND p = page.Handle();
    constexpr int kW = 643;

    DiscordImage.Create(p, ids::kDiscordImage, {0, 0, kW, 130}, true, false);
    DiscordImage.SetEmbeddedPicture(L"DISCORD_BANNER");
    DiscordImage.SetTag(7);

    DiscordLabel.Create(p, ids::kDiscordLabel, kDiscordPrompt, {0, 138, kW, 18},
                        {RGB(0, 0, 0), -13, false, ui::Align::Center, true});
    DiscordLabel.SetTag(300);
    DiscordServerIDEdit.Create(p, ids::kDiscordServerIDEdit, {5, 160, kW - 10, 21},
                               static_cast<int>(kDiscordIdMaxDigits));
    DiscordServerIDEdit.SetTag(kDiscordFieldTag);
    DiscordServerIDEdit.onEnter = [this] { DiscordServerIDEditKeyDown(DiscordServerIDEdit.Tag()); };

    DiscordList.Create(p, ids::kDiscordList, {0, 188, kW, 852 - 188},
                       {{L"Участник", 186}, {L"Статус", 80}, {L"Канал", 177}, {L"Игра", 200}}, rowPicture);

    // The Telegram pair is kept hidden and does nothing.
    TelegramLabel.Create(p, ids::kTelegramLabel, kTelegramPrompt, {kW / 2, 138, kW / 2, 18},
                         {RGB(0, 0, 0), -13, false, ui::Align::Center, false});
    TelegramLabel.SetTag(200);
    TelegramLabel.SetVisible(false);
    TelegramChatIDEdit.Create(p, ids::kTelegramChatIDEdit, {kW / 2 + 5, 160, kW / 2 - 10, 21},
                              static_cast<int>(kDiscordIdMaxDigits));
    TelegramChatIDEdit.SetTag(kTelegramFieldTag);
    TelegramChatIDEdit.onEnter = [this] { DiscordServerIDEditKeyDown(TelegramChatIDEdit.Tag()); };
    TelegramChatIDEdit.SetVisible(false);
}

void IntegrationTab::RestoreStoredServerId() {
    const std::wstring stored = main_->State.Settings.ReadString(kDiscordServerIdSetting);
    if (stored.empty()) return;
    // A stored value that is not a server id (edited by hand) would end up in the request
    // path: it is left alone, and the tab starts with no server.
    if (!DiscordWidgetUrl(stored)) return;
    DiscordServerIDEdit.SetText(stored);
    DiscordServerIDEdit.SetFontColor(kConfirmedColor);
    main_->State.CurrentDiscordServerID = stored;
}

void IntegrationTab::Sheet6Show() {
    if (Confirmed() && !main_->State.CurrentDiscordServerID.empty()) StartDiscordWidgetUpdate();
}

void IntegrationTab::DiscordServerIDEditKeyDown(int tag) {
    AppState& st = main_->State;
    const std::wstring text = DiscordServerIDEdit.Text();
    switch (DecideEnter(tag, Confirmed(), text)) {
        case EnterAction::Confirm:
            st.CurrentDiscordServerID = text;
            DiscordServerIDEdit.SetFontColor(kConfirmedColor);
            st.Settings.WriteString(kDiscordServerIdSetting, text);
            StartDiscordWidgetUpdate();
            break;
        case EnterAction::Forget:
            // The field keeps its digits, so that the next Enter confirms them again.
            st.CurrentDiscordServerID.clear();
            st.DiscordInviteUrl.clear();
            widgetReads_.Forget();  // a reply on its way is for a server no longer asked for
            DiscordServerIDEdit.SetFontColor(GetSysColor(COLOR_WINDOWTEXT));
            DiscordLabel.SetText(kDiscordPrompt);
            DiscordLabel.SetDragPointer(false);
            DiscordList.Clear();
            st.Settings.WriteString(kDiscordServerIdSetting, L"");
            break;
        case EnterAction::Nothing: break;
    }
}

void IntegrationTab::StartDiscordWidgetUpdate() {
    if (const auto generation = widgetReads_.Request()) ReadWidget(*generation);
}

void IntegrationTab::ReadEnded(uint64_t generation, const std::optional<DiscordFill>& fill) {
    if (widgetReads_.IsLatest(generation)) fill ? ApplyWidget(*fill) : ApplyReadError();
    if (const auto next = widgetReads_.Finished(generation)) ReadWidget(*next);
}

void IntegrationTab::ReadWidget(uint64_t generation) {
    try {
        std::thread([this, generation, id = main_->State.CurrentDiscordServerID, http = main_->MyHTTPs]() noexcept {
            try {
                // Parsed here: a large reply must not hold the window.
                const auto reply = FetchDiscordWidget(*http, id);
                const auto fill = reply ? std::optional<DiscordFill>(FillDiscordFromReply(*reply)) : std::nullopt;
                ui::RunOnUiThread([&] { ReadEnded(generation, fill); });
            } catch (const AppError& e) {
                // The system's HTTP library is missing: a failed read that says why, once.
                try {
                    ui::RunOnUiThread([&] {
                        ReadEnded(generation, std::nullopt);
                        throw e;
                    });
                } catch (...) {
                }
            } catch (...) {
                // Out of memory on a worker: this read is lost, the next one may start.
                try {
                    ui::RunOnUiThread([&] { widgetReads_.Finished(generation); });
                } catch (...) {
                }
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: as if the read had failed, silently.
        widgetReads_.Finished(generation);
    }
}

void IntegrationTab::ApplyWidget(const DiscordFill& fill) {
    DiscordList.SetRows(fill.rows);
    // A reply that failed before its invite was read leaves the previous invite as it was.
    if (fill.inviteUrl) {
        main_->State.DiscordInviteUrl = *fill.inviteUrl;
        DiscordLabel.SetDragPointer(!fill.inviteUrl->empty());
    }
    DiscordLabel.SetText(fill.label);
}

void IntegrationTab::ApplyReadError() { DiscordLabel.SetText(kParseErrorText); }

void IntegrationTab::DiscordLabelClick() {
    const std::wstring& invite = main_->State.DiscordInviteUrl;
    if (IsSafeHttpsAddress(invite)) RunProgram(invite);
}

}  // namespace ravenlock
