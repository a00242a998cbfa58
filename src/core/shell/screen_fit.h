#pragma once
// Where the main window comes up at start, and how small it may be made.

struct ScreenFit {
    int minimumWidth = 0;
    int minimumHeight = 0;
    int width = 0;
    int height = 0;
    // The window's top-left corner on the screen.
    int left = 0;
    int top = 0;
};

// screenWidth/Height: the primary screen; windowWidth/Height: the window's
// design size. The window that results lies wholly on the screen.
ScreenFit FitToScreen(int screenWidth, int screenHeight, int windowWidth, int windowHeight);
