#pragma once
// How the main window fits a small screen at start.

#include <optional>

struct ScreenFit {
    int minimumWidth = 0;
    int minimumHeight = 0;
    std::optional<int> width;  // set only on narrow screens
    std::optional<int> height; // set only on low screens
    // Set only on low screens: the window is placed here instead of centred.
    std::optional<int> left;
    std::optional<int> top;
};

// screenWidth/Height: the primary screen; windowWidth: the window's width
// before the rules (design width, or the width the rules set).
ScreenFit FitToScreen(int screenWidth, int screenHeight, int windowWidth);
