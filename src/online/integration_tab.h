#pragma once
// The "Интеграция" tab: who is online on a Discord server of the user's choice, read
// from the server's public widget by a worker, again on every showing of the tab.
#include <string>

#include "online/check_gate.h"
#include "online/discord_widget.h"
#include "online/online_controls.h"
#include "ui/controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class MainWindow;

class IntegrationTab {
public:
    static constexpr COLORREF kConfirmedColor = RGB(0, 0, 255);

    void Create(ui::Page& page, MainWindow& main, HBITMAP rowPicture);

    // Start-up: a stored id comes back confirmed, without a fetch.
    void RestoreStoredServerId();
    // Each showing of the tab reads the widget again while a server is confirmed.
    void Sheet6Show();
    // Enter in one of the two id fields, told apart by Tag.
    void DiscordServerIDEditKeyDown(int tag);
    // One widget read and parsed on a worker, with its own copy of the confirmed id; one
    // at a time, and only the latest for the server still confirmed reaches the list.
    void StartDiscordWidgetUpdate();
    // The server line's click: the invite, when the widget offered a safe one.
    void DiscordLabelClick();

    ui::PictureBox DiscordImage;
    online::PointerLabel DiscordLabel;
    online::DigitsEdit DiscordServerIDEdit;
    online::ReportList DiscordList;
    ui::Label TelegramLabel;
    online::DigitsEdit TelegramChatIDEdit;

private:
    bool Confirmed() const { return DiscordServerIDEdit.FontColor() == kConfirmedColor; }
    void ReadWidget(uint64_t generation);
    void ReadEnded(uint64_t generation, const std::optional<DiscordFill>& fill);
    void ApplyWidget(const DiscordFill& fill);
    void ApplyReadError();

    MainWindow* main_ = nullptr;
    CheckGate widgetReads_;
};

}  // namespace ravenlock
