#include <gtest/gtest.h>

#include "core/shell/screen_fit.h"

namespace {

struct Expected {
    int screenWidth, screenHeight;
    int minimumWidth, minimumHeight, width, height, left, top;
};

// The window comes up at its design size, 1080 x 800 as drawn.
TEST(ScreenFit, CommonScreens) {
    const Expected cases[] = {
        {800, 600, 700, 500, 760, 550, 20, 6},
        {1024, 768, 924, 668, 984, 718, 20, 6},
        {1280, 800, 1080, 700, 1080, 750, 100, 6},
        {1440, 900, 1080, 800, 1080, 800, 180, 50},
        {1600, 900, 1080, 800, 1080, 800, 260, 50},
        {1920, 1080, 1080, 800, 1080, 800, 420, 140},
        // Turned on its side: too narrow for the usual minimum width.
        {1050, 1680, 950, 800, 1010, 800, 20, 440},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(testing::Message() << e.screenWidth << "x" << e.screenHeight);
        const ScreenFit fit = FitToScreen(e.screenWidth, e.screenHeight, 1080, 800);
        EXPECT_EQ(fit.minimumWidth, e.minimumWidth);
        EXPECT_EQ(fit.minimumHeight, e.minimumHeight);
        EXPECT_EQ(fit.width, e.width);
        EXPECT_EQ(fit.height, e.height);
        EXPECT_EQ(fit.left, e.left);
        EXPECT_EQ(fit.top, e.top);
    }
}

TEST(ScreenFit, WindowOfAnySizeLiesWhollyOnAnyScreen) {
    const int windows[][2] = {{942, 584}, {1080, 800}, {1700, 1300}};
    for (int sw = 640; sw <= 2560; sw += 7) {
        for (int sh = 480; sh <= 1600; sh += 11) {
            for (const auto& w : windows) {
                const ScreenFit fit = FitToScreen(sw, sh, w[0], w[1]);
                ASSERT_TRUE(fit.left >= 0 && fit.top >= 0 && fit.left + fit.width <= sw &&
                            fit.top + fit.height <= sh)
                    << sw << "x" << sh << " window " << w[0] << "x" << w[1];
                ASSERT_TRUE(fit.width >= fit.minimumWidth && fit.height >= fit.minimumHeight);
            }
        }
    }
}

} // namespace
