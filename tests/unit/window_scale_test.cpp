// The window's scale: the monitor's DPI, shrunk to the work area, never below 0.75; and
// where the 96-DPI layout lands at a scale.
#include <gtest/gtest.h>

#include "ui/scale_rules.h"

namespace ravenlock::ui {
namespace {

TEST(WindowScale, FollowsTheDpiUntilTheWorkAreaIsTooSmall) {
    // The main window: 651 x 963 client pixels at 96 DPI; frames as the system draws them.
    const struct {
        const char* screen;
        ScaleFit fit;
        double scale;
        bool shrunk;
    } cases[] = {
        {"1280 x 1024 at 100 %", {96, 651, 963, 6, 29, 1280, 1024}, 1.0, false},
        {"2560 x 1440 at 125 %", {120, 651, 963, 8, 36, 2560, 1400}, 1.25, false},
        {"4K at 150 %", {144, 651, 963, 10, 44, 3840, 2100}, 1.5, false},
        {"4K at 200 %", {192, 651, 963, 12, 58, 3840, 2100}, 2.0, false},
        // (1040 - 36) / 963 = 1.0425...: whole hundredths, rounded down.
        {"1920 x 1080 laptop at 125 %", {120, 651, 963, 8, 36, 1920, 1040}, 1.04, true},
        // (728 - 29) / 963 = 0.7258...: below the floor, which holds.
        {"1366 x 768 at 100 %", {96, 651, 963, 6, 29, 1366, 728}, 0.75, true},
        {"800 x 600", {96, 651, 963, 6, 29, 800, 560}, 0.75, true},
        // The width decides when it is the narrower side.
        {"narrow and tall", {192, 651, 963, 12, 58, 1000, 2100}, 1.51, true},
        // A DPI nobody reported counts as 96.
        {"no DPI", {0, 651, 963, 6, 29, 1280, 1024}, 1.0, false},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(FitScale(c.fit), c.scale) << c.screen;
        EXPECT_EQ(ScaleWasShrunk(c.fit), c.shrunk) << c.screen;
        if (FitScale(c.fit) > kSmallestScale) {
            EXPECT_LE(ScaleLength(c.fit.clientW, FitScale(c.fit)) + c.fit.frameW, c.fit.workW) << c.screen;
            EXPECT_LE(ScaleLength(c.fit.clientH, FitScale(c.fit)) + c.fit.frameH, c.fit.workH) << c.screen;
        }
    }
}

TEST(WindowScale, ScalesLengthsAndKeepsNeighboursTouching) {
    EXPECT_EQ(ScaleLength(-11, 1.5), -17);  // font heights round away from zero
    EXPECT_EQ(ScaleLength(11, 1.5), 17);
    EXPECT_EQ(ScaleLength(-13, 1.25), -16);
    EXPECT_EQ(ScaleLength(209, 1.0), 209);
    EXPECT_EQ(ScaleLength(20, 0.75), 15);
    // Two tab buttons 209 wide with a gap of 3, at 1.25: the second starts where the gap
    // after the first ends, whatever each rounding did.
    const Rect96 first = ScaleRect({4, 4, 209, 30}, 1.25), second = ScaleRect({216, 4, 209, 30}, 1.25);
    EXPECT_EQ(first.x, 5);
    EXPECT_EQ(first.x + first.w, 266);
    EXPECT_EQ(second.x, 270);
    EXPECT_EQ(second.x + second.w, 531);
    const Rect96 a = ScaleRect({0, 0, 7, 7}, 1.5), b = ScaleRect({7, 7, 7, 7}, 1.5);
    EXPECT_EQ(a.x + a.w, b.x);
    EXPECT_EQ(a.y + a.h, b.y);
    EXPECT_EQ(a.w + b.w, 21);
}

}  // namespace
}  // namespace ravenlock::ui
