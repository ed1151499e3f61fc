// Pixels handed to AlphaBlend: colour scaled by alpha, and nothing written past either
// buffer whatever sizes a picture claims.
#include <gtest/gtest.h>

#include <vector>

#include "platform/picture.h"

namespace ravenlock {
namespace {

TEST(PremultiplyAlpha, ScalesEachColourByItsAlpha) {
    // B, G, R, A in; the same out with colours times A/255, rounded down.
    const struct {
        std::vector<uint8_t> in, out;
    } cases[] = {
        {{10, 20, 30, 255}, {10, 20, 30, 255}},
        {{200, 100, 50, 0}, {0, 0, 0, 0}},
        {{255, 255, 255, 128}, {128, 128, 128, 128}},
        {{1, 254, 100, 1}, {0, 0, 0, 1}},
        {{255, 0, 7, 254}, {254, 0, 6, 254}},
    };
    for (const auto& c : cases) {
        const Picture picture{1, 1, c.in};
        std::vector<uint8_t> out(4, 0xAA);
        ASSERT_TRUE(PremultiplyAlpha(picture, out));
        EXPECT_EQ(out, c.out);
    }
}

TEST(PremultiplyAlpha, RefusesBuffersThatDoNotMatchThePicture) {
    const struct {
        const char* what;
        Picture picture;
        size_t outBytes;
    } cases[] = {
        {"pixels missing", {2, 2, std::vector<uint8_t>(12, 9)}, 16},
        {"pixels beyond the size", {1, 1, std::vector<uint8_t>(8, 9)}, 4},
        {"room for fewer", {2, 1, std::vector<uint8_t>(8, 9)}, 4},
        {"room for more", {2, 1, std::vector<uint8_t>(8, 9)}, 12},
        {"no width", {0, 3, {}}, 0},
        {"negative height", {4, -1, {}}, 0},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out(c.outBytes, 0xAA);
        EXPECT_FALSE(PremultiplyAlpha(c.picture, out)) << c.what;
        EXPECT_EQ(out, std::vector<uint8_t>(c.outBytes, 0xAA)) << c.what << ": written anyway";
    }
}

}  // namespace
}  // namespace ravenlock
