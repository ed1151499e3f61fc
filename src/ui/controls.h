#pragma once
// The controls the window is made of: transparent labels drawn over a picture, flat
// buttons, the toggle switch, picture boxes and the shared tooltip.
#include <windows.h>

#include <optional>
#include <string>

#include "ui/gdi.h"
#include "ui/window.h"

namespace ravenlock::ui {

enum class Align { Left, Center, Right };

// A mouse click as a standard static control with SS_NOTIFY knows it: the press and the
// release on the same control, the mouse captured in between. The second press of a
// double-click (WM_LBUTTONDBLCLK) starts no click, so a double-click counts once.
class ClickTracker {
public:
    // Feeds a mouse message; true when it completes a click.
    bool Completes(HWND control, UINT msg, LPARAM lp);

private:
    bool pressed_ = false;
};

struct LabelStyle {
    COLORREF color = RGB(0, 0, 0);
    int fontHeight = -11;  // Tahoma 8 pt
    bool underline = false;
    Align align = Align::Left;
    bool clickable = false;  // drag-arrow pointer, and a click reaches onClick
};

// A label (one line unless it wraps) that paints what lies behind it, then its text. The window text
// is the caption, so screen readers (and our tests) read it from outside.
class Label : public Window {
public:
    void Create(HWND parent, int id, const std::wstring& text, Bounds b, const LabelStyle& style);
    void SetColor(COLORREF color);
    COLORREF Color() const { return style_.color; }
    // Breaks the text between words onto further lines instead of cutting one line short.
    void SetWrapping(bool wrap) { wrap_ = wrap; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    LabelStyle style_;
    bool wrap_ = false;
    ClickTracker click_;
};

// A flat push button (a real BUTTON, owner-drawn, so BM_CLICK and the keyboard work).
class FlatButton : public Control {
public:
    void Create(HWND parent, int id, const std::wstring& text, Bounds b, int fontHeight = -13);
    // Tab buttons stay pressed while their page is shown.
    void SetChecked(bool checked);
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    bool checked_ = false;
};

// An on/off switch with a caption for each state; the window text is the current caption.
class ToggleSwitch : public Window {
public:
    void Create(HWND parent, int id, Bounds b, COLORREF color, const std::wstring& onText, const std::wstring& offText,
                bool on);
    bool On() const { return on_; }
    void SetOn(bool on);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    COLORREF color_ = RGB(0, 255, 0);
    std::wstring onText_, offText_;
    bool on_ = false;
    ClickTracker click_;
};

// Shows a decoded picture (stretched to its bounds or at its own size, top left); without
// a picture it is a transparent area. Clickable ones show the drag-arrow pointer.
class PictureBox : public Window {
public:
    void Create(HWND parent, int id, Bounds b, bool clickable, bool stretch);
    void SetPicture(const std::optional<Picture>& picture);
    // Artwork carried in the program: decoded at the box's first paint, so that the
    // pictures of a page never shown are never decoded.
    void SetEmbeddedPicture(const std::wstring& resourceName);
    std::function<void()> onDoubleClick;
    void Rescale() override;
    // Paints the part of the picture under a rectangle given in the parent's coordinates.
    void PaintPortion(HDC dc, const RECT& inParent) const;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Draw(HDC dc, int x, int y, int w, int h) const;
    // A part of the picture shown at w x h (the part in those pixels) into a rectangle of the DC.
    void DrawPart(HDC dc, const RECT& to, const RECT& from, int w, int h) const;
    // The picture at w x h: itself, or a filtered copy made once per size.
    HBITMAP Shown(int w, int h) const;
    void Decode(const std::optional<Picture>& picture, int density = 1) const;
    // Decodes the pending artwork, at the size the window's scale asks for.
    void DecodePending() const;
    // The picture's size on screen at its own size: its 96-DPI size at the window's scale.
    int ShownW() const;
    int ShownH() const;
    // Filled in by the first paint from the pending resource, hence mutable.
    mutable std::wstring pendingResource_;
    std::wstring resource_;  // the artwork shown, if it is ours
    mutable BitmapHandle bitmap_, scaled_;
    mutable int scaledW_ = 0, scaledH_ = 0;
    ClickTracker click_;
    mutable int picW_ = 0, picH_ = 0, density_ = 1;
    // No pixel lets anything through: the picture is copied, not blended (much faster).
    mutable bool opaque_ = false;
    bool clickable_ = false, stretch_ = false;
};

// One tooltip window for the main window's controls; a tip stays up for 10,000 ms.
class ToolTip {
public:
    void Create(HWND owner);
    void SetTip(HWND control, const std::wstring& text);

private:
    HWND hwnd_ = nullptr;
};

}  // namespace ravenlock::ui
