#include "ui/controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/window_scale.h"

namespace ravenlock::ui {

namespace {
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

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
    CreateChild(L"RavenlockLabel", 0, kChildStyle, text, b, parent, id);
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
            SelectObject(dc, TahomaFont(Px(style_.fontHeight), style_.underline));
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
        case kMsgFontHeight: return Px(style_.fontHeight);
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
    MakeChild(L"BUTTON", text, WS_TABSTOP | BS_OWNERDRAW, 0, b, parent, id, fontHeight);
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
    // A flat frame: one dark line all round, two when pressed (lines as thick as the scale).
    const int line = std::max(1, Px(1));
    for (int i = 0; i < (pressed ? 2 : 1) * line; ++i) {
        RECT frame = rc;
        InflateRect(&frame, -i, -i);
        FrameRect(dc, &frame, GetSysColorBrush(COLOR_3DSHADOW));
    }
    const std::wstring text = Text();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    if (pressed && !checked_) OffsetRect(&rc, line, line);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (dis->itemState & ODS_FOCUS) {
        RECT focus = dis->rcItem;
        InflateRect(&focus, -Px(3), -Px(3));
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
    CreateChild(L"RavenlockToggleSwitch", 0, kChildStyle | WS_TABSTOP, on ? onText : offText, b, parent, id);
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
            // The track: a rounded frame 40 x 18 at 96 DPI, filled when on; the thumb sits at
            // the "on" end.
            const int trackW = Px(40), top = std::max(1, Px(1)), trackH = rc.bottom - 2 * top, inset = Px(4);
            HPEN pen = CreatePen(PS_SOLID, Px(2), ink);
            HBRUSH fill = CreateSolidBrush(ink);
            HGDIOBJ oldPen = SelectObject(dc, pen);
            HGDIOBJ oldBrush = SelectObject(dc, on_ ? fill : GetStockObject(NULL_BRUSH));
            RoundRect(dc, top, top, trackW, top + trackH, trackH, trackH);
            const int d = trackH - 2 * inset;
            const int thumbX = on_ ? trackW - inset - d : inset + top;
            SelectObject(dc, GetSysColorBrush(Enabled() ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW));
            SelectObject(dc, GetStockObject(NULL_PEN));
            Ellipse(dc, thumbX, top + inset, thumbX + d + 1, top + inset + d + 1);
            SelectObject(dc, oldPen);
            SelectObject(dc, oldBrush);
            DeleteObject(pen);
            DeleteObject(fill);
            RECT textRc = rc;
            textRc.left = trackW + Px(6);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ink);
            SelectObject(dc, TahomaFont(Px(-13)));
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
        case kMsgFontHeight: return Px(-13);
    }
    return Default(msg, wp, lp);
}

// ---- PictureBox

void PictureBox::Create(HWND parent, int id, Bounds b, bool clickable, bool stretch) {
    clickable_ = clickable;
    stretch_ = stretch;
    CreateChild(L"RavenlockPicture", 0, kChildStyle, L"", b, parent, id);
}

void PictureBox::Decode(const std::optional<Picture>& picture, int density) const {
    pendingResource_.clear();
    density_ = density;
    opaque_ = false;
    bitmap_.reset();
    scaled_.reset();
    scaledW_ = scaledH_ = 0;
    picW_ = picH_ = 0;
    if (picture) {
        bitmap_ = MakeBitmap(*picture);
        picW_ = picture->width;
        picH_ = picture->height;
        opaque_ = true;
        for (size_t i = 3; i < picture->bgra.size() && opaque_; i += 4) opaque_ = picture->bgra[i] == 255;
    }
}

void PictureBox::DecodePending() const {
    if (pendingResource_.empty()) return;
    int density = 1;
    const auto picture = DecodeArtwork(pendingResource_, ScaleOf(Handle()), density);
    Decode(picture, density);
}

int PictureBox::ShownW() const { return ScaleLength(picW_, ScaleOf(Handle()) / density_); }
int PictureBox::ShownH() const { return ScaleLength(picH_, ScaleOf(Handle()) / density_); }

void PictureBox::SetPicture(const std::optional<Picture>& picture) {
    resource_.clear();
    Decode(picture);
    Invalidate();
}

void PictureBox::SetEmbeddedPicture(const std::wstring& resourceName) {
    Decode(std::nullopt);
    pendingResource_ = resource_ = resourceName;
    Invalidate();
}

void PictureBox::Rescale() {
    Window::Rescale();
    // Artwork is chosen again for the new scale (at the next paint); a picture from
    // elsewhere is only filtered to its new size.
    if (!resource_.empty()) SetEmbeddedPicture(resource_);
}

void PictureBox::Draw(HDC dc, int x, int y, int w, int h) const { DrawPart(dc, {x, y, x + w, y + h}, {0, 0, w, h}, w, h); }

HBITMAP PictureBox::Shown(int w, int h) const {
    if (w == picW_ && h == picH_) return bitmap_.get();
    if (!scaled_ || scaledW_ != w || scaledH_ != h) {
        scaled_ = ScaleBitmap(bitmap_.get(), w, h);
        scaledW_ = w, scaledH_ = h;
    }
    return scaled_.get();
}

void PictureBox::DrawPart(HDC dc, const RECT& to, const RECT& from, int w, int h) const {
    DecodePending();
    if (!bitmap_ || w <= 0 || h <= 0) return;
    HBITMAP shown = Shown(w, h);
    if (!shown) return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, shown);
    const int toW = to.right - to.left, toH = to.bottom - to.top;
    if (opaque_ && toW == from.right - from.left && toH == from.bottom - from.top) {
        BitBlt(dc, to.left, to.top, toW, toH, mem, from.left, from.top, SRCCOPY);
    } else {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, to.left, to.top, toW, toH, mem, from.left, from.top, from.right - from.left,
                   from.bottom - from.top, blend);
    }
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
        DecodePending();
        // The picture keeps its own size at 96 DPI and grows with the window's scale.
        const int shownW = ShownW(), shownH = ShownH();
        if (shownW <= 0 || shownH <= 0) return;
        RECT picture{self.left, self.top, std::min<LONG>(self.right, self.left + shownW),
                     std::min<LONG>(self.bottom, self.top + shownH)};
        RECT part;
        if (!IntersectRect(&part, &picture, &inParent)) return;
        DrawPart(dc, part, {part.left - self.left, part.top - self.top, part.right - self.left, part.bottom - self.top},
                 shownW, shownH);
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
            DecodePending();
            Draw(paint.Dc(), 0, 0, stretch_ ? rc.right : ShownW(), stretch_ ? rc.bottom : ShownH());
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
