#include "app/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "app/control_ids.h"
#include "online/server_status_thread.h"
#include "platform/tools.h"
#include "ui/dispatch.h"
#include "ui/gdi.h"
#include "ui/window_scale.h"

namespace ravenlock {

namespace {

// The tabs in the order of ids::Tab: a new tab is one more caption here (and its index
// there); the strip grows a row when the rows are full, and the window with it.
constexpr std::array<const wchar_t*, ids::kTabCount> kTabCaptions = {
    L"Игра", L"Фотоменеджер", L"Интеграция", L"Инструменты и диагностика", L"Редактор настроек", L"Ресурсы",
    L"Экран и управление", L"Моды"};
static_assert(kTabCaptions.back() != nullptr, "every tab of ids::Tab needs its caption");
constexpr ui::PageControl::Layout kTabLayout{4, 4, 209, 30, 3, 8, 3, 2, 643, 852};
constexpr int kMargin = 4;  // right of and under the pages
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kSnapDistance = 20;

// The client area in 96-DPI units: the pages under the tab strip, and the margin.
SIZE ClientSize() {
    const ui::Bounds pages = ui::PageControl::PagesBounds(kTabCaptions.size(), kTabLayout);
    return {pages.x + pages.w + kMargin, pages.y + pages.h + kMargin};
}

HICON ProgramIcon(int size) {
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
    return icon ? static_cast<HICON>(icon) : LoadIconW(nullptr, IDI_APPLICATION);
}

// The notification area's size for the screen's DPI, taken from the icon's own images.
HICON TrayIconPicture() {
    HICON icon = nullptr;
    if (SUCCEEDED(LoadIconMetric(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), LIM_SMALL, &icon)) && icon) return icon;
    return ProgramIcon(GetSystemMetrics(SM_CXSMICON));
}

}  // namespace

void MainWindow::Create(HWND applicationWindow, const std::wstring& firstArgument) {
    applicationWindow_ = applicationWindow;
    firstArgument_ = firstArgument;

    const SIZE client = ClientSize();
    RECT rc{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&rc, kStyle, FALSE, WS_EX_LAYERED);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    // Centred on the primary screen's work area when first shown.
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - w) / 2;
    const int y = std::max<int>(work.top, work.top + (work.bottom - work.top - h) / 2);

    // Owned by the hidden application window, so there is no taskbar button.
    CreateRaw(ids::kMainWindowClass, WS_EX_LAYERED | WS_EX_CONTROLPARENT, kStyle, ids::kMainWindowCaption, x, y, w, h,
              applicationWindow, nullptr, CS_DBLCLKS, nullptr, ProgramIcon(GetSystemMetrics(SM_CXICON)));
    HWND hwnd = Handle();
    // Sized for its monitor before any control is made: they take the window's scale.
    ui::FitToMonitor(hwnd, client.cx, client.cy);
    SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ProgramIcon(GetSystemMetrics(SM_CXSMICON))));
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(ui::TahomaFont(ui::Px(hwnd, -11))), FALSE);

    TrayImageList.Load(ui::ScaleOf(hwnd));  // the tabs' lists and menus use its pictures
    RestorePoints.Create(*this);
    MainPageControl.Create(hwnd, {kTabCaptions.begin(), kTabCaptions.end()}, ids::kTabButtonFirst, ids::kPageFirst,
                           kTabLayout);
    // Only the Game tab is made before the first paint; the others when first needed.
    Game.Create(MainPageControl.At(ids::kTabGame), *this);
    Editions.Create(MainPageControl.At(ids::kTabGame).Handle(), *this);
    Game.ModsUpdateLabel.onClick = [this] { MainPageControl.Select(ids::kTabMods); };
    Game.LanguageSwitch.onClick = [this] { LanguageSwitchUserClick(); };
    Game.FalloutLogoImage.onClick = [this] { FalloutLogoImageClick(Game.FalloutLogoImage.Tag()); };
    MainPageControl.At(ids::kTabGame).onShow = [this] { Sheet1Show(); };
    for (ui::Label* label : {&Game.ServerStatusLabel, &Game.NewsLabel0, &Game.NewsLabel1, &Game.NewsLabel2})
        label->onClick = [this, label] { ServerStatusLabelClick(label->Tag()); };
    PreparePageBuilds();
    // The first tab is active at start; its show handler runs when the window is shown.
    MainPageControl.Select(ids::kTabGame, false);

    Tips.Create(hwnd);
    TrayPopupMenu.Create(TrayImageList);
    RemoveTempFilesTimer.Bind(hwnd);
    RemoveTempFilesTimer.onTimer = [this] { RemoveTempFilesTimerTimer(); };
    FalloutProcessTimer.Bind(hwnd);
    FalloutProcessTimer.onTimer = [this] { Game.FalloutProcessTimerTimer(); };
    ServersWatch.Create(*this);

    const DWORD openFlags = OFN_HIDEREADONLY | OFN_NONETWORKBUTTON | OFN_ENABLESIZING | OFN_DONTADDTORECENT;
    MyOpenDialog = {L"Пожалуйста, укажите файл Fallout76.exe", kSteamExecutable, L"exe",
                    L"Fallout 76 (Fallout76.exe;Project76_GamePass.exe)|" + std::wstring(kSteamExecutable) + L";" +
                        kStoreExecutable,
                    openFlags};
    MyOpenDialog2 = {L"Пожалуйста, укажите файл Steam.exe", L"Steam.exe", L"exe", L"Исполняемый файл Windows|*.exe",
                     openFlags};
    MySaveDialog = {L"Пожалуйста, укажите путь для сохранения отчёта о системе", L"SystemInfo", L"txt",
                    L"Текстовые файлы|*.txt|Все файлы|*", OFN_HIDEREADONLY | OFN_ENABLESIZING};
}

void MainWindow::ShowAfterCreate() {
    if (terminated_) return;
    ShowWindow(Handle(), SW_SHOWNORMAL);
    // The frame and every control painted now, before the start-up steps posted behind this:
    // the frame clips its children, whose paints UpdateWindow alone would leave for later.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void MainWindow::ShowTrayIcon() { Tray.Show(Handle(), TrayIconPicture(), ui::ApplicationTitle()); }

void MainWindow::RemoveTempFilesTimerTimer() {
    // A failed deletion leaves the timer on: the next tick tries again, silently.
    if (RemoveTempToolCopy()) RemoveTempFilesTimer.SetEnabled(false);
}

void MainWindow::FormCloseQuery() { HideMainWindow(); }

void MainWindow::ShowMainWindow() { ShowWindow(Handle(), SW_SHOW); }

void MainWindow::HideMainWindow() { ShowWindow(Handle(), SW_HIDE); }

void MainWindow::ToggleMainWindow() {
    if (IsWindowVisible(Handle())) HideMainWindow();
    else ShowMainWindow();
}

void MainWindow::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

void MainWindow::FormShow() {
    // The application window never gets a taskbar button, whatever showed us.
    ShowWindow(applicationWindow_, SW_HIDE);
    MainPageControl.ShowActiveAgain();
}

void MainWindow::FormPaint() {
    // The frame itself was painted (shown, uncovered or restored), not one of its controls:
    // with the Game tab active, that is a moment to look at the servers again.
    if (startUpContinued_ && MainPageControl.ActiveIndex() == ids::kTabGame) StartServerStatusCheck(*this);
}

void MainWindow::Sheet1Show() {
    if (!startUpContinued_) return;
    StartServerStatusCheck(*this);
    Mods.ShowUpdatePointer();
}

void MainWindow::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    UnregisterHotKey(Handle(), State.HotKeyId);
    if (State.HotKeyId) GlobalDeleteAtom(State.HotKeyId);
    // Tray exit, log-off and shut-down all come here: a running game's session is kept.
    Game.EndSessionAtExit();
    State.Settings.Close();
    State.ScreenshotPaths.clear();
    State.PhotoPaths.clear();
    State.ArchiveKeys.clear();
    State.ArchiveValues.clear();
    Tray.Remove();
}

void MainWindow::SnapToScreenEdges(RECT& rc) const {
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (!GetMonitorInfoW(MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &mi)) return;
    const RECT& wa = mi.rcWork;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    const int snap = ui::Px(Handle(), kSnapDistance);
    if (std::abs(rc.left - wa.left) <= snap) rc.left = wa.left;
    else if (std::abs(rc.right - wa.right) <= snap) rc.left = wa.right - w;
    if (std::abs(rc.top - wa.top) <= snap) rc.top = wa.top;
    else if (std::abs(rc.bottom - wa.bottom) <= snap) rc.top = wa.bottom - h;
    rc.right = rc.left + w;
    rc.bottom = rc.top + h;
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT routed = 0;
    if (ui::RouteChildMessage(msg, wp, lp, routed)) return routed;
    if (Tray.HandleTaskbarCreated(msg)) return 0;
    switch (msg) {
        case TrayIcon::kCallbackMessage:
            TrayCallback(lp);
            return 0;
        case kMsgDeferredTrayMenu: {
            const bool wanted = TrayMenuStillWanted(trayMenuAskedAt_, GetTickCount64());
            trayMenuAskedAt_ = 0;
            if (wanted) TrayCallback(WM_RBUTTONUP);
            return 0;
        }
        case WM_COMMAND:
            if (lp == 0 && TrayMenu::TagOf(LOWORD(wp)) >= 0) {
                ExitNClick(TrayMenu::TagOf(LOWORD(wp)));
                return 0;
            }
            break;
        case WM_HOTKEY:
            MyHotKey(lp);
            return 0;
        case WM_CONTEXTMENU: {
            POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (at.x == -1 && at.y == -1) GetCursorPos(&at);
            if (Editor.OfferRestorePoints(at)) return 0;
            break;
        }
        case kMsgAutoRunPress:
            Game.AutoRunPress();
            return 0;
        case kMsgStartUpContinued:
            StartUpContinued();
            return 0;
        case WM_CLOSE:
            FormCloseQuery();
            return 0;
        case WM_QUERYENDSESSION:
            // Log-off and shut-down are not close requests: agree at once.
            return TRUE;
        case WM_ENDSESSION:
            if (wp) {
                FormDestroy();
                Terminate();
            }
            return 0;
        case WM_SHOWWINDOW:
            if (wp) FormShow();
            break;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
            ui::PaintSystemColor(Handle(), COLOR_BTNFACE);
            FormPaint();
            return 0;
        case WM_DPICHANGED:
            ui::FollowDpiChange(Handle(), ClientSize().cx, ClientSize().cy, wp, lp);
            return 0;
        case WM_MOVING:
            SnapToScreenEdges(*reinterpret_cast<RECT*>(lp));
            return TRUE;
        case WM_TIMER:
            for (ui::Timer* t : {&RemoveTempFilesTimer, &FalloutProcessTimer, &ServersWatch.Timer})
                if (t->Id() == wp && t->Enabled() && t->onTimer) t->onTimer();
            return 0;
        case WM_DESTROY:
            FormDestroy();
            return 0;
    }
    return Default(msg, wp, lp);
}

}  // namespace ravenlock
