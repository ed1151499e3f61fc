#include "memtool_window.h"

#include <commctrl.h>

#include <array>
#include <string>
#include <thread>

#include "memory_lists.h"
#include "memtool_rules.h"

namespace memtool {
namespace {

constexpr wchar_t kClassName[] = L"RavenlockMemToolWindow";
constexpr wchar_t kTitle[] = L"RAMMap";
constexpr UINT kRefreshTimer = 1;
constexpr wchar_t kIdleStatus[] = L"Данные обновляются каждую секунду.";
// A worker's result: wParam the action, lParam the outcome (high half) and status (low half).
constexpr UINT kActionDone = WM_APP + 1;

enum ControlId : int {
    kGroup = 100,
    kTotalLabel, kTotalValue,
    kInUseLabel, kInUseValue,
    kAvailableLabel, kAvailableValue,
    kStandbyLabel, kStandbyValue,
    kPurgeStandbyButton, kEmptyWorkingSetsButton,
    kStatus,
};

// Every control at its place in 96-DPI pixels; the layout is scaled to the monitor.
struct ControlPlace {
    int id;
    const wchar_t* cls;
    const wchar_t* text;
    DWORD style;
    int x, y, w, h;
};

constexpr int kClientW = 400, kClientH = 184;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kValue = SS_RIGHT | SS_NOPREFIX;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

const std::array<ControlPlace, 12> kControls = {{
    {kGroup, WC_BUTTONW, L"Физическая память", BS_GROUPBOX, 11, 7, 378, 110},
    {kTotalLabel, WC_STATICW, L"Всего:", kLabel, 24, 30, 170, 14},
    {kTotalValue, WC_STATICW, L"", kValue, 196, 30, 180, 14},
    {kInUseLabel, WC_STATICW, L"Используется:", kLabel, 24, 50, 170, 14},
    {kInUseValue, WC_STATICW, L"", kValue, 196, 50, 180, 14},
    {kAvailableLabel, WC_STATICW, L"Доступно:", kLabel, 24, 70, 170, 14},
    {kAvailableValue, WC_STATICW, L"", kValue, 196, 70, 180, 14},
    {kStandbyLabel, WC_STATICW, L"Резервный список:", kLabel, 24, 90, 170, 14},
    {kStandbyValue, WC_STATICW, L"", kValue, 196, 90, 180, 14},
    {kPurgeStandbyButton, WC_BUTTONW, L"Очистить резервный список", kButton, 11, 127, 185, 25},
    {kEmptyWorkingSetsButton, WC_BUTTONW, L"Очистить рабочие наборы", kButton, 204, 127, 185, 25},
    {kStatus, WC_STATICW, kIdleStatus, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 11, 162, 378, 14},
}};

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// Per-monitor DPI functions exist from Windows 10 on; older systems use the system DPI.
UINT WindowDpi(HWND hwnd) {
    using Fn = UINT(WINAPI*)(HWND);
    static const auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = fn && hwnd ? fn(hwnd) : 0;
    return dpi ? dpi : SystemDpi();
}

SIZE WindowSizeFor(UINT dpi) {
    using Fn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT r{0, 0, MulDiv(kClientW, dpi, 96), MulDiv(kClientH, dpi, 96)};
    if (!fn || !fn(&r, kWindowStyle, FALSE, 0, dpi)) AdjustWindowRectEx(&r, kWindowStyle, FALSE, 0);
    return {r.right - r.left, r.bottom - r.top};
}

class MemoryWindow {
public:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            auto* self = static_cast<MemoryWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<MemoryWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
        try {
            return self->Handle(msg, wp, lp);
        } catch (...) {
            // Nothing may leave a window procedure; the window stays usable.
            MessageBoxW(hwnd, L"Внутренняя ошибка программы.", kTitle, MB_OK | MB_ICONERROR);
            return 0;
        }
    }

    ~MemoryWindow() {
        if (font_) DeleteObject(font_);
    }

private:
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) {
        switch (msg) {
            case WM_CREATE:
                CreateControls();
                Refresh();
                SetTimer(hwnd_, kRefreshTimer, 1000, nullptr);
                return 0;
            case WM_TIMER:
                if (wp == kRefreshTimer) Refresh();
                return 0;
            case WM_COMMAND:
                if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == kPurgeStandbyButton) Start(Action::PurgeStandby);
                if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == kEmptyWorkingSetsButton) Start(Action::EmptyWorkingSets);
                // Esc closes the window, as it would a dialog.
                if (LOWORD(wp) == IDCANCEL) DestroyWindow(hwnd_);
                return 0;
            case kActionDone:
                Finish(static_cast<Action>(wp), Result{static_cast<Outcome>(static_cast<uint64_t>(lp) >> 32),
                                                        static_cast<uint32_t>(static_cast<uint64_t>(lp))});
                return 0;
            case WM_DPICHANGED: {
                ApplyDpi(HIWORD(wp));
                const auto* r = reinterpret_cast<const RECT*>(lp);
                SetWindowPos(hwnd_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
                return 0;
            }
            case WM_CLOSE:
                DestroyWindow(hwnd_);
                return 0;
            case WM_DESTROY:
                KillTimer(hwnd_, kRefreshTimer);
                PostQuitMessage(0);
                return 0;
        }
        return DefWindowProcW(hwnd_, msg, wp, lp);
    }

    void CreateControls() {
        for (const auto& c : kControls) {
            CreateWindowExW(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, 0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), nullptr, nullptr);
        }
        ApplyDpi(WindowDpi(hwnd_));
        SetFocus(GetDlgItem(hwnd_, kPurgeStandbyButton));
    }

    // Font and places of all controls for the monitor the window is on.
    void ApplyDpi(UINT dpi) {
        HFONT old = font_;
        // Tahoma 8 pt, like a classic dialog.
        font_ = CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                            L"Tahoma");
        for (const auto& c : kControls) {
            HWND child = GetDlgItem(hwnd_, c.id);
            SetWindowPos(child, nullptr, MulDiv(c.x, dpi, 96), MulDiv(c.y, dpi, 96), MulDiv(c.w, dpi, 96),
                         MulDiv(c.h, dpi, 96), SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        }
        if (old) DeleteObject(old);
    }

    void SetText(int id, const std::wstring& text) {
        HWND child = GetDlgItem(hwnd_, id);
        // Only changed texts are set, so the once-a-second refresh does not flicker.
        wchar_t current[128] = {};
        GetWindowTextW(child, current, static_cast<int>(std::size(current)));
        if (text != current) SetWindowTextW(child, text.c_str());
    }

    void Refresh() {
        const MemoryFigures f = QueryMemoryFigures();
        SetText(kTotalValue, FormatMiB(f.total));
        SetText(kInUseValue, FormatInUse(f.total - f.available, f.loadPercent));
        SetText(kAvailableValue, FormatMiB(f.available));
        SetText(kStandbyValue, FormatMiB(f.standby));
    }

    void EnableButtons(bool enable) {
        EnableWindow(GetDlgItem(hwnd_, kPurgeStandbyButton), enable);
        EnableWindow(GetDlgItem(hwnd_, kEmptyWorkingSetsButton), enable);
    }

    // Emptying the working sets of a busy machine takes seconds: a worker does it.
    void Start(Action action) {
        EnableButtons(false);
        SetText(kStatus, L"Выполняется…");
        HWND target = hwnd_;
        std::thread([target, action] {
            const Result r = RunMemoryCommand(action);
            const auto packed = static_cast<uint64_t>(r.outcome) << 32 | r.status;
            PostMessageW(target, kActionDone, static_cast<WPARAM>(action), static_cast<LPARAM>(packed));
        }).detach();
    }

    void Finish(Action action, const Result& result) {
        EnableButtons(true);
        if (result.outcome == Outcome::Done) {
            SYSTEMTIME now{};
            GetLocalTime(&now);
            SetText(kStatus, SuccessText(action, now.wHour, now.wMinute, now.wSecond));
            Refresh();
        } else {
            SetText(kStatus, kIdleStatus);
            MessageBoxW(hwnd_, FailureText(action, result).c_str(), kTitle, MB_OK | MB_ICONERROR);
        }
        SetFocus(GetDlgItem(hwnd_, action == Action::PurgeStandby ? kPurgeStandbyButton : kEmptyWorkingSetsButton));
    }

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace

int RunMemoryWindow(HINSTANCE instance) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    PrepareMemoryQuery();

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MemoryWindow::Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return 1;

    MemoryWindow window;
    // Sized for the primary monitor first; WM_DPICHANGED corrects it elsewhere.
    const SIZE size = WindowSizeFor(SystemDpi());
    HWND hwnd = CreateWindowExW(0, kClassName, kTitle, kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy,
                                nullptr, nullptr, instance, &window);
    if (!hwnd) return 1;
    const UINT dpi = WindowDpi(hwnd);
    if (dpi != SystemDpi()) {
        const SIZE scaled = WindowSizeFor(dpi);
        SetWindowPos(hwnd, nullptr, 0, 0, scaled.cx, scaled.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd, SW_SHOWNORMAL);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab, Enter and Alt keys move between the buttons as in a dialog.
        if (IsDialogMessageW(hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace memtool
