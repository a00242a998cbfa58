#pragma once
// Draws the lock on one output: black, the prompt in the middle; in change
// mode the password dialog's three entries instead.

#include <cairo.h>

#include "platform/wayland/lock/lock_prompt.h"

struct Spot {
    int x = 0, y = 0, width = 0, height = 0;
    bool Contains(double px, double py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
};

// Where the drawn controls answer a click, in the output's surface pixels.
struct LockSpots {
    Spot unlock;
    Spot changeLink;
    Spot fields[3];
    Spot ok;
    Spot cancel;
};

LockSpots DrawLock(cairo_t* cairo, int width, int height, const LockPrompt& prompt);
