#pragma once
// The base of every window of ours: the object pointer travels in WM_NCCREATE and
// lives in GWLP_USERDATA; the window procedure runs each message through the handler
// dispatcher, so no exception ever leaves it.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace ravenlock::ui {

// A control's place and size in the 96-DPI units of its window (see window_scale.h).
struct Bounds {
    int x, y, w, h;
};

// Private messages of our windows.
enum : UINT {
    // Sent by a transparent child to its parent: paint your background into the DC
    // (wParam) for the rectangle (lParam, RECT* in the parent's client coordinates),
    // with the DC's origin at the rectangle's top left.
    kMsgPaintBackground = WM_APP + 1,
    // Sent to the hand-over window: run the closure in lParam.
    kMsgRunClosure = WM_APP + 2,
    // Asked from outside (accessibility checkers, our tests) of a control that paints its
    // own text: the pixel height of its font, as LOGFONT's lfHeight.
    kMsgFontHeight = WM_APP + 3,
};

// Anything we put on screen: our own windows and the native controls we wrap. The
// object is found from its HWND through a window property.
class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    HWND Handle() const { return hwnd_; }
    int Id() const { return GetDlgCtrlID(hwnd_); }

    // Tag: the integer shared handlers dispatch on.
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    void SetText(const std::wstring& text);
    std::wstring Text() const;
    void SetEnabled(bool enabled);
    bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void SetVisible(bool visible);
    bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void Invalidate() { InvalidateRect(hwnd_, nullptr, FALSE); }

    // The click handler (buttons, clickable labels and pictures, menu-less switches).
    std::function<void()> onClick;

    // Messages that the parent receives on this control's behalf (WM_DRAWITEM, WM_NOTIFY,
    // WM_CTLCOLOR*); true when handled.
    virtual bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // A WM_COMMAND notification code from this control, passed on by its parent.
    virtual void OnCommand(WORD code);

    // The object behind one of our controls, or null for any other window.
    static Control* FromHandle(HWND hwnd);

    // Moves the control to b, in the 96-DPI units of its window.
    void Place(Bounds b);
    // A 96-DPI length in the pixels of this control's window.
    int Px(int length) const;
    // Lays the control out again at its window's scale, which has changed: its place, its
    // font, and whatever else it sizes in pixels (overrides add theirs).
    virtual void Rescale();

protected:
    // The one place where system controls are made: a child of parent at b (96-DPI
    // units), in Tahoma of that height (0: the class's own font), bound to this object.
    HWND MakeChild(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, Bounds b,
                   HWND parent, int id, int fontHeight = -11);
    // Makes a created control follow the scale: b is its place in 96-DPI units.
    void KeepLayout(Bounds b, int fontHeight);
    // Binds the object to the window (done for our own windows at WM_NCCREATE).
    void Attach(HWND hwnd);
    void Detach();
    HWND hwnd_ = nullptr;

private:
    int tag_ = 0;
    std::optional<Bounds> layout_;
    int fontHeight_ = 0;
};

class Window : public Control {
public:
    static Window* FromHandle(HWND hwnd) { return dynamic_cast<Window*>(Control::FromHandle(hwnd)); }
    // Destroys the window while the object is still bound to it, so that WM_DESTROY
    // reaches HandleMessage. Call it from the most derived destructor (or earlier): by
    // the time ~Control runs, the derived handlers are gone and only the default one is left.
    void Destroy();

protected:
    // Registers the class once (by name) and creates the window.
    HWND CreateRaw(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& text, int x, int y,
                   int w, int h, HWND parent, HMENU menuOrId, UINT classStyle = CS_DBLCLKS,
                   HCURSOR cursor = nullptr, HICON icon = nullptr);
    // A child window of ours at b (96-DPI units), scaled as the controls made by MakeChild.
    HWND CreateChild(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& text, Bounds b,
                     HWND parent, int id);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

// What a parent does with the messages its children send it: WM_COMMAND reaches the
// child's object, and reflected messages its Reflect. True when handled.
bool RouteChildMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

// Fills the rectangle (client coordinates of child) with whatever lies behind the child:
// its parent's background as the parent paints it.
void PaintParentBackground(HWND child, HDC dc, const RECT& rc);

}  // namespace ravenlock::ui
