#include <array>
#include <gtest/gtest.h>

#include "core/shell/screen_fit.h"

namespace {

// Minimum width and height, width, height, left, top.
std::array<int, 6> Figures(const ScreenFit& f) {
    return {f.minimumWidth, f.minimumHeight, f.width, f.height, f.left, f.top};
}

// The window comes up at its design size, 1080 x 800 as drawn.
TEST(ScreenFit, CommonScreens) {
    using F = std::array<int, 6>;
    EXPECT_EQ(Figures(FitToScreen(800, 600, 1080, 800)), (F{700, 500, 760, 550, 20, 6}));
    EXPECT_EQ(Figures(FitToScreen(1024, 768, 1080, 800)), (F{924, 668, 984, 718, 20, 6}));
    EXPECT_EQ(Figures(FitToScreen(1280, 800, 1080, 800)), (F{1080, 700, 1080, 750, 100, 6}));
    EXPECT_EQ(Figures(FitToScreen(1440, 900, 1080, 800)), (F{1080, 800, 1080, 800, 180, 50}));
    EXPECT_EQ(Figures(FitToScreen(1600, 900, 1080, 800)), (F{1080, 800, 1080, 800, 260, 50}));
    EXPECT_EQ(Figures(FitToScreen(1920, 1080, 1080, 800)), (F{1080, 800, 1080, 800, 420, 140}));
    EXPECT_EQ(Figures(FitToScreen(1050, 1680, 1080, 800)), (F{950, 800, 1010, 800, 20, 440}))
        << "turned on its side, too narrow for the usual minimum width";
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
