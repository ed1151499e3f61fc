#pragma once
// Decoding of the PNG and JPEG pictures the window shows (artwork, photos, news
// pictures). Input may come from the network: anything malformed or oversized gives
// an empty result instead of an error.
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

}  // namespace ravenlock
