// Screenshots as people see the program: copied from the screen, so that the window
// frame and whatever covers the window are in the picture too.
#include <png.h>

#include <cstdio>
#include <unordered_set>

#include "driver.h"

namespace e2e {

namespace {

Picture CaptureScreenRect(const RECT& r) {
    Picture picture;
    picture.width = r.right - r.left;
    picture.height = r.bottom - r.top;
    if (picture.width <= 0 || picture.height <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, picture.width, picture.height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT)) {
            GdiFlush();
            const auto* p = static_cast<const uint32_t*>(bits);
            picture.pixels.reserve(static_cast<size_t>(picture.width) * picture.height);
            for (size_t i = 0; i < static_cast<size_t>(picture.width) * picture.height; ++i)
                picture.pixels.push_back(p[i] & 0x00FFFFFF);
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (picture.pixels.empty()) return {};
    return picture;
}

}  // namespace

size_t Picture::DistinctColours() const {
    return std::unordered_set<uint32_t>(pixels.begin(), pixels.end()).size();
}

Picture CaptureWindow(HWND window) {
    RECT r{};
    if (!IsShown(window) || !GetWindowRect(window, &r)) return {};
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&r, &r, &screen);
    // Put the window on top so that nothing of another test hides it.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Sync(window);
    // Paints wait until the program's queue is empty; have every part painted now, so that
    // a busy machine cannot hand us a picture from before the last click.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Picture last = CaptureScreenRect(r);
    Picture current;
    // Wine flushes painted windows to the screen a little later than the paint itself.
    WaitFor([&] {
        current = CaptureScreenRect(r);
        if (current.pixels == last.pixels) return true;
        last = current;
        return false;
    });
    return current;
}

bool SavePng(const Picture& picture, const std::wstring& path) {
    if (picture.pixels.empty()) return false;
    std::vector<uint8_t> rgb;
    rgb.reserve(picture.pixels.size() * 3);
    for (uint32_t p : picture.pixels) {
        rgb.push_back(static_cast<uint8_t>(p >> 16));
        rgb.push_back(static_cast<uint8_t>(p >> 8));
        rgb.push_back(static_cast<uint8_t>(p));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) return false;
    const bool written = png_image_write_to_stdio(&image, file, 0, rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return std::fclose(file) == 0 && written;
}

std::wstring ScreenshotDir() {
    wchar_t dir[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"RAVENLOCK_SCREENSHOT_DIR", dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return L"";
    std::wstring d(dir, n);
    if (d.back() != L'\\') d.push_back(L'\\');
    return d;
}

}  // namespace e2e
