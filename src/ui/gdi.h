#pragma once
// GDI objects the controls share: fonts by size and style, brushes by colour, the
// drag-arrow pointer, and bitmaps made from decoded pictures.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/picture.h"

namespace ravenlock::ui {

// Tahoma at a pixel height (negative, as in LOGFONT: -11 is 8 pt, -13 is 10 pt).
// The fonts live until the program ends.
HFONT TahomaFont(int height, bool underline = false, bool bold = false);

// The pointer of clickable labels and pictures: an arrow with a small drag frame.
HCURSOR DragArrowCursor();

struct BitmapDeleter {
    void operator()(HBITMAP b) const {
        if (b) DeleteObject(b);
    }
};
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// A 32-bit top-down DIB section holding the picture, alpha premultiplied for AlphaBlend.
BitmapHandle MakeBitmap(const Picture& picture);

// Artwork carried in the program, for a place shown at the scale: the copy at twice the
// size (the name + "_2X") where the scale is above 1 and that copy exists, else the
// picture itself. density: 2 or 1, what the picture's pixels are per 96-DPI pixel.
std::optional<Picture> DecodeArtwork(const std::wstring& name, double scale, int& density);

// A bitmap made by MakeBitmap at another size, filtered by GDI's HALFTONE scaler (never
// nearest-neighbour, which AlphaBlend's own stretching is); alpha filtered alike.
BitmapHandle ScaleBitmap(HBITMAP source, int w, int h);

// Answers WM_PAINT by filling what needs painting with a system colour.
void PaintSystemColor(HWND hwnd, int sysColor);

// Paints into a memory bitmap and copies it to the window's DC once, so that nothing flickers.
class BufferedPaint {
public:
    BufferedPaint(HWND hwnd);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC Dc() const { return mem_; }
    const RECT& Client() const { return client_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr, mem_ = nullptr;
    HBITMAP bitmap_ = nullptr, old_ = nullptr;
    RECT client_{};
};

}  // namespace ravenlock::ui
