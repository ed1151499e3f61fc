#pragma once
// Decoding of the PNG and JPEG pictures the window shows (artwork, photos, news
// pictures). Input may come from the network: anything malformed or oversized gives
// an empty result instead of an error.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ravenlock {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgra;  // top-down rows, 4 bytes a pixel, straight alpha
};

// Largest picture we agree to decode (pixels); a news picture is far smaller.
inline constexpr uint64_t kMaxPicturePixels = 64ull * 1024 * 1024;

// A JPEG with more scans than this is refused: each progressive scan costs a pass over
// the whole picture, and a hostile file can hold thousands of them.
inline constexpr int kMaxJpegScans = 256;

// maxPixels: pictures whose header claims more pixels are refused before any decoding.
std::optional<Picture> DecodePng(std::span<const uint8_t> data, uint64_t maxPixels = kMaxPicturePixels);
std::optional<Picture> DecodeJpeg(std::span<const uint8_t> data, uint64_t maxPixels = kMaxPicturePixels);
// Chooses the decoder by the file's signature.
std::optional<Picture> DecodePicture(std::span<const uint8_t> data, uint64_t maxPixels = kMaxPicturePixels);

// Writes the picture's pixels with each colour scaled by its alpha, as AlphaBlend takes
// them, into out. False, with nothing written, unless the picture holds width·height
// pixels and out has room for exactly as many.
inline bool PremultiplyAlpha(const Picture& picture, std::span<uint8_t> out) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    const size_t bytes = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 4;
    if (picture.bgra.size() != bytes || out.size() != bytes) return false;
    for (size_t i = 0; i < bytes; i += 4) {
        const unsigned a = picture.bgra[i + 3];
        for (size_t c = 0; c < 3; ++c) out[i + c] = static_cast<uint8_t>(picture.bgra[i + c] * a / 255);
        out[i + 3] = static_cast<uint8_t>(a);
    }
    return true;
}

}  // namespace ravenlock
