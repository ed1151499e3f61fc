#include "ui/controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/embedded.h"

namespace ravenlock::ui {

namespace {
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

HMENU AsMenu(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

void NotifyClick(HWND hwnd) {
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}
}  // namespace

// ---- ClickTracker

bool ClickTracker::Completes(HWND control, UINT msg, LPARAM lp) {
    switch (msg) {
        case WM_LBUTTONDOWN:
            pressed_ = true;
            SetCapture(control);
            return false;
        case WM_LBUTTONUP: {
            if (!pressed_) return false;  // pressed elsewhere, or the second half of a double-click
            pressed_ = false;
            if (GetCapture() == control) ReleaseCapture();
            RECT client;
            GetClientRect(control, &client);
            const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            return PtInRect(&client, at) != FALSE;
        }
        case WM_CAPTURECHANGED:
            // Someone else took the mouse (a menu, a box): that press leads nowhere.
            if (reinterpret_cast<HWND>(lp) != control) pressed_ = false;
            return false;
        default: return false;
    }
}

// ---- Label

void Label::Create(HWND parent, int id, const std::wstring& text, Bounds b, const LabelStyle& style) {
    style_ = style;
    CreateRaw(L"RavenlockLabel", 0, kChildStyle, text, b.x, b.y, b.w, b.h, parent, AsMenu(id));
}

void Label::SetColor(COLORREF color) {
    style_.color = color;
    Invalidate();
}

LRESULT Label::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            BufferedPaint paint(Handle());
            HDC dc = paint.Dc();
            RECT rc = paint.Client();
            PaintParentBackground(Handle(), dc, rc);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, Enabled() ? style_.color : GetSysColor(COLOR_GRAYTEXT));
            SelectObject(dc, TahomaFont(style_.fontHeight, style_.underline));
            const std::wstring text = Text();
            const UINT align = style_.align == Align::Center  ? DT_CENTER
                               : style_.align == Align::Right ? DT_RIGHT
                                                              : DT_LEFT;
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
                      align | DT_NOPREFIX | DT_END_ELLIPSIS | (wrap_ ? DT_WORDBREAK : DT_SINGLELINE));
            return 0;
        }
        case WM_SETTEXT: {
            const LRESULT r = Default(msg, wp, lp);
            Invalidate();
            return r;
        }
        case WM_NCHITTEST:
            // Plain labels let the mouse through to whatever lies beneath them.
            return style_.clickable ? HTCLIENT : HTTRANSPARENT;
        case WM_SETCURSOR:
            if (style_.clickable) {
                SetCursor(DragArrowCursor());
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (style_.clickable && click_.Completes(Handle(), msg, lp)) NotifyClick(Handle());
            return 0;
    }
    return Default(msg, wp, lp);
}

// ---- FlatButton

void FlatButton::Create(HWND parent, int id, const std::wstring& text, Bounds b, int fontHeight) {
    HWND hwnd = CreateWindowExW(0, L"BUTTON", text.c_str(), kChildStyle | WS_TABSTOP | BS_OWNERDRAW, b.x, b.y, b.w,
                                b.h, parent, AsMenu(id), GetModuleHandleW(nullptr), nullptr);
    Attach(hwnd);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(TahomaFont(fontHeight)), FALSE);
}

void FlatButton::SetChecked(bool checked) {
    checked_ = checked;
    Invalidate();
}

bool FlatButton::Reflect(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_DRAWITEM) return false;
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    HDC dc = dis->hDC;
    RECT rc = dis->rcItem;
    const bool pressed = (dis->itemState & ODS_SELECTED) || checked_;
    const bool disabled = dis->itemState & ODS_DISABLED;
    HBRUSH face = GetSysColorBrush(pressed ? COLOR_3DLIGHT : COLOR_BTNFACE);
    FillRect(dc, &rc, face);
    // A flat frame: one dark line all round, two when pressed.
    FrameRect(dc, &rc, GetSysColorBrush(COLOR_3DSHADOW));
    if (pressed) {
        RECT inner = rc;
        InflateRect(&inner, -1, -1);
        FrameRect(dc, &inner, GetSysColorBrush(COLOR_3DSHADOW));
    }
    const std::wstring text = Text();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    if (pressed && !checked_) OffsetRect(&rc, 1, 1);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (dis->itemState & ODS_FOCUS) {
        RECT focus = dis->rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
    result = TRUE;
    return true;
}

// ---- ToggleSwitch

void ToggleSwitch::Create(HWND parent, int id, Bounds b, COLORREF color, const std::wstring& onText,
                          const std::wstring& offText, bool on) {
    color_ = color;
    onText_ = onText;
    offText_ = offText;
    on_ = on;
    CreateRaw(L"RavenlockToggleSwitch", 0, kChildStyle | WS_TABSTOP, on ? onText : offText, b.x, b.y, b.w, b.h, parent,
              AsMenu(id));
}

void ToggleSwitch::SetOn(bool on) {
    on_ = on;
    SetText(on ? onText_ : offText_);
}

LRESULT ToggleSwitch::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            BufferedPaint paint(Handle());
            HDC dc = paint.Dc();
            const RECT rc = paint.Client();
            PaintParentBackground(Handle(), dc, rc);
            const COLORREF ink = Enabled() ? color_ : GetSysColor(COLOR_GRAYTEXT);
            // The track: a rounded frame 40 x 18, filled when on; the thumb sits at the "on" end.
            const int trackW = 40, trackH = rc.bottom - 2, top = 1;
            HPEN pen = CreatePen(PS_SOLID, 2, ink);
            HBRUSH fill = CreateSolidBrush(ink);
            HGDIOBJ oldPen = SelectObject(dc, pen);
            HGDIOBJ oldBrush = SelectObject(dc, on_ ? fill : GetStockObject(NULL_BRUSH));
            RoundRect(dc, 1, top, trackW, top + trackH, trackH, trackH);
            const int d = trackH - 8;
            const int thumbX = on_ ? trackW - 4 - d : 5;
            SelectObject(dc, GetSysColorBrush(Enabled() ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW));
            SelectObject(dc, GetStockObject(NULL_PEN));
            Ellipse(dc, thumbX, top + 4, thumbX + d + 1, top + 4 + d + 1);
            SelectObject(dc, oldPen);
            SelectObject(dc, oldBrush);
            DeleteObject(pen);
            DeleteObject(fill);
            RECT textRc = rc;
            textRc.left = trackW + 6;
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ink);
            SelectObject(dc, TahomaFont(-13));
            const std::wstring text = Text();
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRc, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
        case WM_KEYUP: {
            if (msg == WM_KEYUP && wp != VK_SPACE) break;
            const bool clicked = msg == WM_KEYUP || click_.Completes(Handle(), msg, lp);
            if (clicked && Enabled()) {
                SetOn(!on_);
                NotifyClick(Handle());
            }
            return 0;
        }
        case WM_ENABLE: Invalidate(); break;
    }
    return Default(msg, wp, lp);
}

// ---- PictureBox

void PictureBox::Create(HWND parent, int id, Bounds b, bool clickable, bool stretch) {
    clickable_ = clickable;
    stretch_ = stretch;
    CreateRaw(L"RavenlockPicture", 0, kChildStyle, L"", b.x, b.y, b.w, b.h, parent, AsMenu(id));
}

void PictureBox::Decode(const std::optional<Picture>& picture) const {
    pendingResource_.clear();
    bitmap_.reset();
    picW_ = picH_ = 0;
    if (picture) {
        bitmap_ = MakeBitmap(*picture);
        picW_ = picture->width;
        picH_ = picture->height;
    }
}

void PictureBox::SetPicture(const std::optional<Picture>& picture) {
    Decode(picture);
    Invalidate();
}

void PictureBox::SetEmbeddedPicture(const std::wstring& resourceName) {
    Decode(std::nullopt);
    pendingResource_ = resourceName;
    Invalidate();
}

void PictureBox::Draw(HDC dc, int x, int y, int w, int h) const { DrawPart(dc, {x, y, x + w, y + h}, {0, 0, picW_, picH_}); }

void PictureBox::DrawPart(HDC dc, const RECT& to, const RECT& from) const {
    if (!pendingResource_.empty()) Decode(DecodeEmbeddedPicture(pendingResource_));
    if (!bitmap_) return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bitmap_.get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetStretchBltMode(dc, HALFTONE);
    AlphaBlend(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, mem, from.left, from.top,
               from.right - from.left, from.bottom - from.top, blend);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void PictureBox::PaintPortion(HDC dc, const RECT& inParent) const {
    RECT self;
    GetWindowRect(Handle(), &self);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&self), 2);
    if (!stretch_) {
        // Only the part beneath the rectangle: a label over a page-sized picture blends a
        // strip, not the whole picture clipped.
        if (!pendingResource_.empty()) Decode(DecodeEmbeddedPicture(pendingResource_));
        RECT picture{self.left, self.top, std::min<LONG>(self.right, self.left + picW_),
                     std::min<LONG>(self.bottom, self.top + picH_)};
        RECT part;
        if (!IntersectRect(&part, &picture, &inParent)) return;
        DrawPart(dc, part, {part.left - self.left, part.top - self.top, part.right - self.left, part.bottom - self.top});
        return;
    }
    const int save = SaveDC(dc);
    IntersectClipRect(dc, inParent.left, inParent.top, inParent.right, inParent.bottom);
    IntersectClipRect(dc, self.left, self.top, self.right, self.bottom);
    Draw(dc, self.left, self.top, self.right - self.left, self.bottom - self.top);
    RestoreDC(dc, save);
}

LRESULT PictureBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            BufferedPaint paint(Handle());
            const RECT rc = paint.Client();
            PaintParentBackground(Handle(), paint.Dc(), rc);
            Draw(paint.Dc(), 0, 0, stretch_ ? rc.right : picW_, stretch_ ? rc.bottom : picH_);
            return 0;
        }
        case WM_NCHITTEST: return (clickable_ || onDoubleClick) ? HTCLIENT : HTTRANSPARENT;
        case WM_LBUTTONDBLCLK:
            if (onDoubleClick) onDoubleClick();
            return 0;
        case WM_SETCURSOR:
            if (clickable_) {
                SetCursor(DragArrowCursor());
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (clickable_ && click_.Completes(Handle(), msg, lp)) NotifyClick(Handle());
            return 0;
    }
    return Default(msg, wp, lp);
}

// ---- ToolTip

void ToolTip::Create(HWND owner) {
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(10000, 0));
    SendMessageW(hwnd_, TTM_SETMAXTIPWIDTH, 0, 600);
}

void ToolTip::SetTip(HWND control, const std::wstring& text) {
    if (!hwnd_) return;
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(control);
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(hwnd_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    if (!text.empty()) SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace ravenlock::ui
