#include "core/shell/screen_fit.h"

#include <algorithm>

namespace {
constexpr int kMinimumWidth = 1080;
constexpr int kMinimumHeight = 800;
} // namespace

ScreenFit FitToScreen(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    ScreenFit fit;
    // Screens up to 1024 wide take the narrow sizes, and so do the few
    // between that and the minimum width, which the window would overhang.
    if (screenWidth >= kMinimumWidth) {
        fit.minimumWidth = kMinimumWidth;
        fit.width = std::clamp(windowWidth, kMinimumWidth, screenWidth);
    } else {
        fit.minimumWidth = screenWidth - 100;
        fit.width = screenWidth - 40;
    }
    fit.left = (screenWidth - fit.width) / 2;
    if (screenHeight > 800) {
        fit.minimumHeight = kMinimumHeight;
        fit.height = std::clamp(windowHeight, kMinimumHeight, screenHeight);
        fit.top = (screenHeight - fit.height) / 2;
    } else {
        fit.minimumHeight = screenHeight - 100;
        fit.height = screenHeight - 50;
        fit.top = 6;
    }
    return fit;
}
