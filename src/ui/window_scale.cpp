#include "ui/window_scale.h"

#include <algorithm>

#include "ui/window.h"

namespace ravenlock::ui {

namespace {

constexpr wchar_t kScaleProperty[] = L"RavenlockScale";

// Newer user32 functions, looked up once so that the program still starts where they
// are missing.
template <typename F>
F User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

RECT FrameAt(HWND top, int dpi) {
    RECT frame{0, 0, 0, 0};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(top, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(top, GWL_EXSTYLE));
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return frame;
}

BOOL CALLBACK RescaleOne(HWND child, LPARAM) {
    if (Control* control = Control::FromHandle(child)) control->Rescale();
    return TRUE;
}

}  // namespace

void DeclarePerMonitorDpiAwareness() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    if (const auto set = User32Function<SetContext>("SetProcessDpiAwarenessContext"))
        set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
}

int DpiOf(HWND window) {
    using GetDpi = UINT(WINAPI*)(HWND);
    static const auto getDpi = User32Function<GetDpi>("GetDpiForWindow");
    if (getDpi && window) {
        if (const UINT dpi = getDpi(window)) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

double ScaleOf(HWND window) {
    HWND top = window ? GetAncestor(window, GA_ROOT) : nullptr;
    const auto permille = top ? reinterpret_cast<INT_PTR>(GetPropW(top, kScaleProperty)) : 0;
    return permille > 0 ? static_cast<double>(permille) / 1000.0 : 1.0;
}

int Px(HWND window, int length) { return ScaleLength(length, ScaleOf(window)); }

double FitToMonitor(HWND top, int clientW, int clientH, int dpi, const RECT* suggested) {
    if (dpi <= 0) dpi = DpiOf(top);
    HMONITOR monitor = suggested ? MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST)
                                 : MonitorFromWindow(top, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(monitor, &mi)) work = mi.rcWork;
    const RECT frame = FrameAt(top, dpi);
    const ScaleFit fit{dpi,
                       clientW,
                       clientH,
                       frame.right - frame.left,
                       frame.bottom - frame.top,
                       work.right - work.left,
                       work.bottom - work.top};
    const double scale = FitScale(fit);
    SetPropW(top, kScaleProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(scale * 1000.0 + 0.5)));

    const int wantW = ScaleLength(clientW, scale), wantH = ScaleLength(clientH, scale);
    int w = wantW + fit.frameW, h = wantH + fit.frameH;
    int x = work.left + (work.right - work.left - w) / 2;
    int y = std::max<int>(work.top, work.top + (work.bottom - work.top - h) / 2);
    if (suggested) x = suggested->left, y = suggested->top;
    else if (ScaleWasShrunk(fit)) x = work.left, y = work.top;
    // Whatever the suggestion, the window stays on its monitor's work area where it can.
    x = std::max<int>(work.left, std::min<int>(x, work.right - w));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - h));
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SetWindowPos(top, nullptr, x, y, w, h, flags);
    // The frame the system really drew decides: whatever it added beyond the computed
    // one is added to the window, so the client area is exact.
    RECT client{};
    GetClientRect(top, &client);
    if (client.right != wantW || client.bottom != wantH) {
        w += wantW - client.right;
        h += wantH - client.bottom;
        SetWindowPos(top, nullptr, x, y, w, h, flags);
    }
    return scale;
}

void FollowDpiChange(HWND top, int clientW, int clientH, WPARAM wp, LPARAM lp) {
    // The message names the new DPI: the window may not report it yet while it moves.
    const RECT* suggested = reinterpret_cast<const RECT*>(lp);
    RECT copy{};
    if (suggested) copy = *suggested;
    FitToMonitor(top, clientW, clientH, HIWORD(wp), suggested ? &copy : nullptr);
    EnumChildWindows(top, RescaleOne, 0);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

}  // namespace ravenlock::ui
