#include "launch/journal_window.h"

#include <algorithm>

#include "app/control_ids.h"
#include "launch/session_recorder.h"
#include "platform/processes.h"
#include "ui/gdi.h"
#include "ui/window_scale.h"

namespace ravenlock {
namespace {

// The start column in the user's local time.
int64_t ToLocal(int64_t utc) {
    const FILETIME ft = FileTimeOf(utc);
    FILETIME local{};
    return FileTimeToLocalFileTime(&ft, &local) ? UnixSeconds(local) : utc;
}

}  // namespace

void JournalWindow::Create(HWND owner, const SettingsRegistry& settings, const std::wstring& gameFolder) {
    settings_ = &settings;
    gameFolder_ = &gameFolder;
    RECT frame{0, 0, kClientW, kClientH};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - w) / 2;
    const int y = std::max<int>(work.top, work.top + (work.bottom - work.top - h) / 2);
    CreateRaw(ids::kJournalWindowClass, 0, style, kJournalWindowTitle, x, y, w, h, owner, nullptr);
    HWND hwnd = Handle();
    ui::FitToMonitor(hwnd, kClientW, kClientH);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(ui::TahomaFont(ui::Px(hwnd, -11))), FALSE);
    Sessions.CreateTable(hwnd, ids::kJournalList, {8, 8, kClientW - 16, kClientH - 44},
                         {{L"Начало", 130},
                          {L"Длительность", 100},
                          {L"Пик памяти, МБ", 110},
                          {L"Моды", 100},
                          {L"Сбой", 150}});
    Sessions.onDoubleClick = [this] { ShowDumpInFolder(); };
    WeekLabel.Create(hwnd, ids::kJournalWeekLabel, L"", {8, kClientH - 28, kClientW - 16, 18},
                     {RGB(0, 0, 0), -11, false, ui::Align::Left, false});
}

void JournalWindow::Refresh() {
    shown_ = ReadJournal(*settings_);
    std::vector<std::vector<std::wstring>> rows;
    for (size_t i = 0; i < shown_.size(); ++i) {
        const GameSession& s = shown_[i];
        rows.push_back({StartText(ToLocal(s.start)), DurationText(s.end - s.start), std::to_wstring(s.peakMB),
                        ModsColumnText(shown_, i), s.crashDump});
    }
    Sessions.SetTable(rows);
    WeekLabel.SetText(WeekLine(shown_, UtcNow()));
}

void JournalWindow::Open() {
    Refresh();
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void JournalWindow::SessionRecorded() {
    if (IsWindowVisible(Handle())) Refresh();
}

void JournalWindow::ShowDumpInFolder() {
    const int row = Sessions.Selected();
    if (row < 0 || row >= static_cast<int>(shown_.size())) return;
    const std::wstring& dump = shown_[static_cast<size_t>(row)].crashDump;
    if (dump.empty() || gameFolder_->empty()) return;
    ShowInExplorer(*gameFolder_ + dump);
}

LRESULT JournalWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT routed = 0;
    if (ui::RouteChildMessage(msg, wp, lp, routed)) return routed;
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(Handle(), &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case ui::kMsgPaintBackground:
            FillRect(reinterpret_cast<HDC>(wp), reinterpret_cast<const RECT*>(lp), GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        case WM_DPICHANGED:
            ui::FollowDpiChange(Handle(), kClientW, kClientH, wp, lp);
            return 0;
        case WM_CLOSE:
            // The window lives for the whole run; closing hides it.
            ShowWindow(Handle(), SW_HIDE);
            return 0;
    }
    return Default(msg, wp, lp);
}

}  // namespace ravenlock
