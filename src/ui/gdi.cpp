#include "ui/gdi.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

#include "platform/embedded.h"

namespace ravenlock::ui {

HFONT TahomaFont(int height, bool underline, bool bold) {
    static std::map<std::tuple<int, bool, bool>, HFONT> fonts;
    auto& font = fonts[{height, underline, bold}];
    if (!font) {
        LOGFONTW lf{};
        lf.lfHeight = height;
        lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        lf.lfUnderline = underline ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = CLEARTYPE_QUALITY;
        wcscpy_s(lf.lfFaceName, L"Tahoma");
        font = CreateFontIndirectW(&lf);
    }
    return font;
}

HCURSOR DragArrowCursor() {
    static HCURSOR cursor = [] {
        // 'X' black, '.' white, anything else transparent; hot spot at the arrow's tip.
        static const char* const art[] = {
            "X",
            "XX",
            "X.X",
            "X..X",
            "X...X",
            "X....X",
            "X.....X",
            "X......X",
            "X.......X",
            "X........X",
            "X.....XXXXX",
            "X..X..X",
            "X.X X..X",
            "XX  X..X",
            "X    X..X",
            "     X..X",
            "      XX",
            "",
            "    X X X X X",
            "",
            "    X       X",
            "",
            "    X X X X X",
        };
        BYTE andMask[128], xorMask[128];
        for (int i = 0; i < 128; ++i) andMask[i] = 0xFF, xorMask[i] = 0x00;
        for (int y = 0; y < static_cast<int>(sizeof(art) / sizeof(art[0])); ++y) {
            for (int x = 0; art[y][x] && x < 32; ++x) {
                const char c = art[y][x];
                if (c != 'X' && c != '.') continue;
                const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
                andMask[y * 4 + x / 8] &= static_cast<BYTE>(~bit);
                if (c == '.') xorMask[y * 4 + x / 8] |= bit;
            }
        }
        return CreateCursor(GetModuleHandleW(nullptr), 0, 0, 32, 32, andMask, xorMask);
    }();
    return cursor ? cursor : LoadCursorW(nullptr, IDC_HAND);
}

BitmapHandle MakeBitmap(const Picture& picture) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = picture.width;
    bi.bmiHeader.biHeight = -picture.height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp || !bits) return BitmapHandle(bmp);
    const size_t bytes = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 4;
    if (!PremultiplyAlpha(picture, {static_cast<uint8_t*>(bits), bytes})) {
        DeleteObject(bmp);
        return BitmapHandle();
    }
    return BitmapHandle(bmp);
}

namespace {

HBITMAP MakeDib(int w, int h, uint32_t*& bits) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* raw = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &raw, nullptr, 0);
    bits = static_cast<uint32_t*>(raw);
    if (bmp && !bits) {
        DeleteObject(bmp);
        return nullptr;
    }
    return bmp;
}

// HALFTONE from one DIB section into another of another size.
void Halftone(HBITMAP from, int fromW, int fromH, HBITMAP to, int w, int h) {
    HDC src = CreateCompatibleDC(nullptr), dst = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSrc = SelectObject(src, from), oldDst = SelectObject(dst, to);
    SetStretchBltMode(dst, HALFTONE);
    SetBrushOrgEx(dst, 0, 0, nullptr);  // as HALFTONE asks
    StretchBlt(dst, 0, 0, w, h, src, 0, 0, fromW, fromH, SRCCOPY);
    SelectObject(src, oldSrc);
    SelectObject(dst, oldDst);
    DeleteDC(src);
    DeleteDC(dst);
}

}  // namespace

std::optional<Picture> DecodeArtwork(const std::wstring& name, double scale, int& density) {
    if (scale > 1.0) {
        if (auto sharp = DecodeEmbeddedPicture(name + L"_2X")) {
            density = 2;
            return sharp;
        }
    }
    density = 1;
    return DecodeEmbeddedPicture(name);
}

BitmapHandle ScaleBitmap(HBITMAP source, int w, int h) {
    DIBSECTION section{};
    if (!source || w <= 0 || h <= 0 || GetObjectW(source, sizeof(section), &section) != sizeof(section) ||
        !section.dsBm.bmBits || section.dsBm.bmBitsPixel != 32)
        return BitmapHandle();
    const int fromW = section.dsBm.bmWidth, fromH = std::abs(section.dsBm.bmHeight);
    const auto* from = static_cast<const uint32_t*>(section.dsBm.bmBits);
    uint32_t *colour = nullptr, *alphaFrom = nullptr, *alphaTo = nullptr;
    BitmapHandle out(MakeDib(w, h, colour));
    // GDI's scalers leave the alpha byte alone or clear it: the alpha goes through as grey.
    BitmapHandle greyFrom(MakeDib(fromW, fromH, alphaFrom)), greyTo(MakeDib(w, h, alphaTo));
    if (!out || !greyFrom || !greyTo) return BitmapHandle();
    for (size_t i = 0, n = static_cast<size_t>(fromW) * fromH; i < n; ++i) {
        const uint32_t a = from[i] >> 24;
        alphaFrom[i] = a | (a << 8) | (a << 16);
    }
    Halftone(source, fromW, fromH, out.get(), w, h);
    Halftone(greyFrom.get(), fromW, fromH, greyTo.get(), w, h);
    for (size_t i = 0, n = static_cast<size_t>(w) * h; i < n; ++i) {
        const uint32_t a = alphaTo[i] & 0xFF;
        // Premultiplied: no colour above its alpha.
        const uint32_t b = std::min(colour[i] & 0xFF, a), g = std::min((colour[i] >> 8) & 0xFF, a),
                       r = std::min((colour[i] >> 16) & 0xFF, a);
        colour[i] = b | (g << 8) | (r << 16) | (a << 24);
    }
    return out;
}

void PaintSystemColor(HWND hwnd, int sysColor) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    FillRect(dc, &ps.rcPaint, GetSysColorBrush(sysColor));
    EndPaint(hwnd, &ps);
}

BufferedPaint::BufferedPaint(HWND hwnd) : hwnd_(hwnd) {
    dc_ = BeginPaint(hwnd, &ps_);
    GetClientRect(hwnd, &client_);
    mem_ = CreateCompatibleDC(dc_);
    bitmap_ = CreateCompatibleBitmap(dc_, client_.right > 0 ? client_.right : 1, client_.bottom > 0 ? client_.bottom : 1);
    old_ = static_cast<HBITMAP>(SelectObject(mem_, bitmap_));
}

BufferedPaint::~BufferedPaint() {
    BitBlt(dc_, 0, 0, client_.right, client_.bottom, mem_, 0, 0, SRCCOPY);
    SelectObject(mem_, old_);
    DeleteObject(bitmap_);
    DeleteDC(mem_);
    EndPaint(hwnd_, &ps_);
}

}  // namespace ravenlock::ui
