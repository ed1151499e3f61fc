// Picture decoding (PNG and JPEG): a decoded picture has four bytes a pixel and stays
// within the pixel limit, which is kept low enough that a hostile header is refused
// rather than paid for. Its premultiplied pixels never hold a colour above the alpha.
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ravenlock;
    constexpr uint64_t kLimit = 1u << 20;
    const std::span<const uint8_t> file(data, size);
    const auto picture = DecodePicture(file, kLimit);
    if (!picture) return 0;
    FUZZ_CHECK(picture->width > 0 && picture->height > 0);
    const uint64_t pixels = static_cast<uint64_t>(picture->width) * static_cast<uint64_t>(picture->height);
    FUZZ_CHECK(pixels <= kLimit);
    FUZZ_CHECK(picture->bgra.size() == pixels * 4);
    // What the window makes of it for AlphaBlend: no colour above its alpha.
    std::vector<uint8_t> blended(picture->bgra.size());
    FUZZ_CHECK(PremultiplyAlpha(*picture, blended));
    for (size_t i = 0; i < blended.size(); i += 4)
        FUZZ_CHECK(blended[i] <= blended[i + 3] && blended[i + 1] <= blended[i + 3] && blended[i + 2] <= blended[i + 3]);
    return 0;
}
