#include "core/shell/screen_fit.h"

ScreenFit FitToScreen(int screenWidth, int screenHeight, int windowWidth) {
    ScreenFit fit;
    if (screenWidth > 1024) {
        fit.minimumWidth = 1080;
    } else {
        fit.minimumWidth = screenWidth - 100;
        fit.width = screenWidth - 40;
    }
    if (screenHeight > 800) {
        fit.minimumHeight = 800;
        return fit;
    }
    fit.minimumHeight = screenHeight - 100;
    fit.height = screenHeight - 50;
    // The window cannot be narrower than its minimum when it is placed.
    int width = fit.width.value_or(windowWidth);
    if (width < fit.minimumWidth)
        width = fit.minimumWidth;
    fit.left = (screenWidth - width) / 2;
    fit.top = 6;
    return fit;
}
