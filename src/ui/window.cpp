#include "ui/window.h"

#include <vector>

#include "ui/dispatch.h"
#include "ui/gdi.h"
#include "ui/window_scale.h"

namespace ravenlock::ui {

namespace {
constexpr wchar_t kControlProperty[] = L"RavenlockControl";
}

Control::~Control() {
    if (hwnd_ && IsWindow(hwnd_)) {
        HWND hwnd = hwnd_;
        Detach();
        DestroyWindow(hwnd);
    }
}

void Control::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropW(hwnd, kControlProperty, this);
}

void Control::Detach() {
    if (hwnd_) RemovePropW(hwnd_, kControlProperty);
    if (hwnd_) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
}

Control* Control::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Control*>(GetPropW(hwnd, kControlProperty)) : nullptr;
}

bool Control::Reflect(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void Control::OnCommand(WORD code) {
    if ((code == BN_CLICKED || code == STN_CLICKED) && onClick) onClick();
}

bool RouteChildMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND child = nullptr;
    switch (msg) {
        case WM_COMMAND:
            if (auto* c = Control::FromHandle(reinterpret_cast<HWND>(lp))) {
                c->OnCommand(HIWORD(wp));
                result = 0;
                return true;
            }
            return false;
        case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem; break;
        case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(lp)->hwndFrom; break;
        case WM_HSCROLL:
        case WM_VSCROLL: child = reinterpret_cast<HWND>(lp); break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: child = reinterpret_cast<HWND>(lp); break;
        default: return false;
    }
    auto* c = Control::FromHandle(child);
    return c && c->Reflect(msg, wp, lp, result);
}

void Control::SetText(const std::wstring& text) {
    SetWindowTextW(hwnd_, text.c_str());
    Invalidate();
}

std::wstring Control::Text() const {
    const int n = GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), n + 1)));
    return text;
}

void Control::SetEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    Invalidate();
}

HWND Control::MakeChild(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, Bounds b,
                        HWND parent, int id, int fontHeight) {
    const Rect96 at = ScaleRect({b.x, b.y, b.w, b.h}, ScaleOf(parent));
    HWND hwnd = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, at.x,
                                at.y, at.w, at.h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    Attach(hwnd);
    KeepLayout(b, fontHeight);
    if (fontHeight) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(TahomaFont(Px(fontHeight))), FALSE);
    return hwnd;
}

void Control::KeepLayout(Bounds b, int fontHeight) {
    layout_ = b;
    fontHeight_ = fontHeight;
}

void Control::Place(Bounds b) {
    layout_ = b;
    const Rect96 at = ScaleRect({b.x, b.y, b.w, b.h}, ScaleOf(hwnd_));
    SetWindowPos(hwnd_, nullptr, at.x, at.y, at.w, at.h, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Control::Px(int length) const { return ui::Px(hwnd_, length); }

void Control::Rescale() {
    if (layout_) Place(*layout_);
    if (fontHeight_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(TahomaFont(Px(fontHeight_))), TRUE);
    Invalidate();
}

void Control::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

HWND Window::CreateRaw(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& text, int x, int y,
                       int w, int h, HWND parent, HMENU menuOrId, UINT classStyle, HCURSOR cursor, HICON icon) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = &Window::Proc;
        wc.hInstance = instance;
        wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = icon;
        wc.hIconSm = icon;
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
    }
    CreateWindowExW(exStyle, className, text.c_str(), style, x, y, w, h, parent, menuOrId, instance, this);
    return hwnd_;
}

HWND Window::CreateChild(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& text, Bounds b,
                         HWND parent, int id) {
    const Rect96 at = ScaleRect({b.x, b.y, b.w, b.h}, ScaleOf(parent));
    CreateRaw(className, exStyle, style, text, at.x, at.y, at.w, at.h, parent,
              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    KeepLayout(b, 0);
    return hwnd_;
}

void Window::Destroy() {
    // WM_NCDESTROY unbinds the object (see Proc).
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->Attach(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        self->Detach();
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    if (!RunHandler(hwnd, [&] { result = self->HandleMessage(msg, wp, lp); })) return DefWindowProcW(hwnd, msg, wp, lp);
    return result;
}

void PaintParentBackground(HWND child, HDC dc, const RECT& rc) {
    HWND parent = GetParent(child);
    RECT inParent = rc;
    MapWindowPoints(child, parent, reinterpret_cast<POINT*>(&inParent), 2);
    // Shift the DC so that the parent paints in its own coordinates.
    POINT old;
    SetViewportOrgEx(dc, rc.left - inParent.left, rc.top - inParent.top, &old);
    if (!SendMessageW(parent, kMsgPaintBackground, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(&inParent)))
        FillRect(dc, &inParent, GetSysColorBrush(COLOR_BTNFACE));
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

}  // namespace ravenlock::ui
