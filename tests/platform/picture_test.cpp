#include <gtest/gtest.h>

#include <array>

#include "platform/picture.h"
#include "ui/controls.h"
#include "test_support.h"

namespace ravenlock {
namespace {

using testing_support::LoadTestResource;

// BGRA of the pixel at (x, y).
std::array<int, 4> Pixel(const Picture& p, int x, int y) {
    const uint8_t* px = p.bgra.data() + (static_cast<size_t>(y) * p.width + x) * 4;
    return {px[0], px[1], px[2], px[3]};
}

TEST(Picture, DecodesPngPixelsExactly) {
    const auto bytes = LoadTestResource(L"RGBA_3X2_PNG");
    ASSERT_FALSE(bytes.empty());
    const auto pic = DecodePicture(bytes);
    ASSERT_TRUE(pic);
    ASSERT_EQ(pic->width, 3);
    ASSERT_EQ(pic->height, 2);
    const struct {
        int x, y;
        std::array<int, 4> bgra;
    } cases[] = {
        {0, 0, {0, 0, 255, 255}},   {1, 0, {0, 255, 0, 255}}, {2, 0, {255, 0, 0, 255}},
        {0, 1, {255, 255, 255, 255}}, {1, 1, {0, 0, 0, 0}},   {2, 1, {32, 64, 128, 128}},
    };
    for (const auto& c : cases) EXPECT_EQ(Pixel(*pic, c.x, c.y), c.bgra) << c.x << "," << c.y;
}

TEST(Picture, DecodesJpegPixelsClosely) {
    const auto bytes = LoadTestResource(L"TWO_BLOCKS_JPG");
    ASSERT_FALSE(bytes.empty());
    const auto pic = DecodePicture(bytes);
    ASSERT_TRUE(pic);
    ASSERT_EQ(pic->width, 16);
    ASSERT_EQ(pic->height, 16);
    const struct {
        int x, y;
        std::array<int, 4> bgra;
    } cases[] = {{3, 8, {40, 30, 220, 255}}, {12, 8, {220, 40, 30, 255}}};
    for (const auto& c : cases) {
        const auto got = Pixel(*pic, c.x, c.y);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(got[i], c.bgra[i], 12) << c.x << "," << c.y << " channel " << i;
    }
}

TEST(Picture, BrokenOrHugeInputGivesNothing) {
    const auto png = LoadTestResource(L"RGBA_3X2_PNG");
    const auto jpg = LoadTestResource(L"TWO_BLOCKS_JPG");
    // A PNG claiming 100000 x 100000 pixels: its header is valid, its size is not acceptable.
    const auto huge = LoadTestResource(L"HUGE_HEADER_PNG");
    ASSERT_FALSE(huge.empty());
    const std::vector<std::vector<uint8_t>> inputs = {
        {},
        {'G', 'I', 'F', '8', '9', 'a'},
        std::vector<uint8_t>(png.begin(), png.begin() + 30),  // cut inside the header chunk
        std::vector<uint8_t>(png.begin(), png.end() - 20),    // image data cut short
        huge,
        std::vector<uint8_t>(jpg.begin(), jpg.begin() + 20),  // only the first marker
        {0xFF, 0xD8, 0xFF, 0xE0, 0x00},
    };
    for (size_t i = 0; i < inputs.size(); ++i) EXPECT_FALSE(DecodePicture(inputs[i])) << "input " << i;
}

TEST(Picture, PixelLimitRefusesLargerPictures) {
    const auto png = LoadTestResource(L"RGBA_3X2_PNG");  // 6 pixels
    const auto jpg = LoadTestResource(L"TWO_BLOCKS_JPG");  // 256 pixels
    const struct {
        const std::vector<uint8_t>* bytes;
        uint64_t limit;
        bool decoded;
    } cases[] = {{&png, 6, true}, {&png, 5, false}, {&jpg, 256, true}, {&jpg, 255, false}};
    for (const auto& c : cases) EXPECT_EQ(DecodePicture(*c.bytes, c.limit).has_value(), c.decoded) << c.limit;
}

TEST(Picture, JpegWithTooManyScansIsRefused) {
    // Every scan of a progressive file is another pass over the whole picture.
    const struct {
        const wchar_t* resource;
        bool decoded;
    } cases[] = {{L"SCANS_150_JPG", true}, {L"SCANS_300_JPG", false}};
    for (const auto& c : cases) {
        const auto bytes = LoadTestResource(c.resource);
        ASSERT_FALSE(bytes.empty()) << c.resource;
        const auto pic = DecodePicture(bytes);
        EXPECT_EQ(pic.has_value(), c.decoded) << c.resource;
        if (pic) {
            EXPECT_EQ(pic->width, 16);
        }
    }
}

// A picture box paints its picture over what is already there: an opaque picture covers it,
// a transparent pixel lets it through, a half-transparent one mixes with it.
TEST(Picture, BoxPaintsOpaqueAndTransparentPixelsOverTheBackground) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RavenlockPictureTestParent";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    constexpr uint8_t kBlue = 200, kGreen = 100, kRed = 50;
    const struct {
        const char* name;
        uint8_t secondAlpha;            // of the second pixel; the first is always opaque
        std::array<int, 3> secondSeen;  // BGR painted there over pure red (0, 0, 255)
    } cases[] = {
        {"opaque", 255, {kBlue, kGreen, kRed}},
        {"one pixel transparent", 0, {0, 0, 255}},
        {"one pixel half transparent", 128, {kBlue * 128 / 255, kGreen * 128 / 255, kRed * 128 / 255 + 127}},
    };
    for (const auto& c : cases) {
        Picture picture{2, 1, {kBlue, kGreen, kRed, 255, kBlue, kGreen, kRed, c.secondAlpha}};
        ui::PictureBox box;
        box.Create(parent, 1, {0, 0, 2, 1}, false, false);
        box.SetPicture(picture);

        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = 2;
        bi.bmiHeader.biHeight = -1;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP target = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(target, nullptr);
        HGDIOBJ old = SelectObject(dc, target);
        auto* px = static_cast<uint32_t*>(bits);
        px[0] = px[1] = 0x00FF0000;  // red
        const RECT all{0, 0, 2, 1};
        box.PaintPortion(dc, all);
        GdiFlush();
        const auto bgr = [&](int i) {
            return std::array<int, 3>{static_cast<int>(px[i] & 0xFF), static_cast<int>((px[i] >> 8) & 0xFF),
                                      static_cast<int>((px[i] >> 16) & 0xFF)};
        };
        EXPECT_EQ(bgr(0), (std::array<int, 3>{kBlue, kGreen, kRed})) << c.name;
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(bgr(1)[k], c.secondSeen[k], 2) << c.name << ", channel " << k;
        SelectObject(dc, old);
        DeleteObject(target);
        DeleteDC(dc);
        box.Destroy();
    }
    DestroyWindow(parent);
}

}  // namespace
}  // namespace ravenlock
