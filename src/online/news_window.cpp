#include "online/news_window.h"

#include <algorithm>

#include "app/control_ids.h"
#include "online/web_address.h"
#include "platform/processes.h"
#include "ui/window_scale.h"

namespace ravenlock {

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr int kHeadingH = 18;
constexpr int kPictureH = 470;

// The small white cross of the close button, drawn here rather than shipped as a file.
Picture CrossPicture() {
    Picture cross;
    cross.width = cross.height = 16;
    cross.bgra.assign(16 * 16 * 4, 0);
    auto put = [&](int x, int y) {
        if (x < 0 || y < 0 || x > 15 || y > 15) return;
        uint8_t* px = &cross.bgra[(static_cast<size_t>(y) * 16 + x) * 4];
        px[0] = px[1] = px[2] = px[3] = 255;
    };
    for (int i = 3; i <= 12; ++i) {
        put(i, i), put(i + 1, i), put(i, 15 - i), put(i + 1, 15 - i);
    }
    return cross;
}

}  // namespace

void NewsWindow::Create(HWND owner) {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - kClientW) / 2;
    const int y = std::max<int>(work.top, work.top + (work.bottom - work.top - kClientH) / 2);
    // No border and no caption: the window rectangle is the client area.
    CreateRaw(ids::kNewsWindowClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP | WS_CLIPCHILDREN,
              ids::kNewsWindowCaption, x, y, kClientW, kClientH, owner, nullptr);
    HWND hwnd = Handle();
    ui::FitToMonitor(hwnd, kClientW, kClientH);

    Label1.Create(hwnd, ids::kNewsHeadingLabel, L"Новости Fallout 76", {0, 0, 754, kHeadingH},
                  {kYellow, -15, false, ui::Align::Center, false});
    Image1.Create(hwnd, ids::kNewsCloseImage, {kClientW - 16 - 3, 1, 16, 16}, true, false);
    Image1.SetPicture(CrossPicture());
    Image1.onClick = [this] { Image1Click(); };
    NewsImage.Create(hwnd, ids::kNewsImage, {0, kHeadingH, kClientW, kPictureH}, true, true);
    NewsImage.onClick = [this] { NewsImageClick(); };
    MainNewsLabel.Create(hwnd, ids::kMainNewsLabel, L"...", {8, kHeadingH + kPictureH + 2, kClientW - 16, 26},
                         {kLime, -11, true, ui::Align::Center, true});
    MainNewsLabel.onClick = [this] { NewsImageClick(); };
}

void NewsWindow::ShowNews(const Picture& picture, const std::wstring& summary, const std::wstring& articleUrl) {
    NewsImage.SetPicture(picture);
    CurrentNewsUrl = articleUrl;
    MainNewsLabel.SetText(summary);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void NewsWindow::Image1Click() { ShowWindow(Handle(), SW_HIDE); }

void NewsWindow::NewsImageClick() {
    // The article address is ours up to "/ru", the rest came with the news: only a clean
    // https address goes to the browser.
    if (IsSafeHttpsAddress(CurrentNewsUrl)) RunProgram(CurrentNewsUrl);
}

LRESULT NewsWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT routed = 0;
    if (ui::RouteChildMessage(msg, wp, lp, routed)) return routed;
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            EndPaint(Handle(), &ps);
            return 0;
        }
        case ui::kMsgPaintBackground:
            FillRect(reinterpret_cast<HDC>(wp), reinterpret_cast<const RECT*>(lp),
                     static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            return 1;
        case WM_DPICHANGED:
            ui::FollowDpiChange(Handle(), kClientW, kClientH, wp, lp);
            return 0;
        case WM_CLOSE:
            // Alt+F4 and the like hide it as the cross does; the window lives for the whole run.
            Image1Click();
            return 0;
    }
    return Default(msg, wp, lp);
}

}  // namespace ravenlock
