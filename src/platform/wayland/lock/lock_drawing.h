#pragma once
// Draws the lock on one output: black, the prompt in the middle; in change
// mode the password dialog's three entries instead. A key changes a small
// part of it, and only that part is drawn again.

#include <array>
#include <cairo.h>
#include <string>
#include <vector>

#include "platform/wayland/lock/lock_prompt.h"

struct Spot {
    int x = 0, y = 0, width = 0, height = 0;
    bool Contains(double px, double py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
};

// Where the drawn controls answer a click, in the output's surface units.
struct LockSpots {
    Spot unlock;
    Spot changeLink;
    Spot fields[3];
    Spot ok;
    Spot cancel;
};

// All that the picture of an output depends on: two pictures of the same
// look are the same.
struct LockLook {
    int width = 0, height = 0; // in surface units
    double scale = 0;          // pixels to a unit
    LockPrompt::Mode mode = LockPrompt::Mode::Unlock;
    LockPrompt::Field focus = LockPrompt::Current;
    std::size_t unlockMask = 0;
    std::array<std::size_t, 3> masks{};
    bool wrong = false;
    bool caps = false;
    std::string notice;
    bool operator==(const LockLook&) const = default;
};

LockLook LookOf(const LockPrompt& prompt, int width, int height, double scale);

// Where a picture of `before` must be drawn again to show `after`, in
// surface units: the entry typed in, a hint or notice line that came or
// went; all of it when the mode or the surface changed.
std::vector<Spot> Changes(const LockLook& before, const LockLook& after);

// Draws the whole picture at the cairo's scale; the caller's clip keeps the
// pixels outside the changes.
LockSpots DrawLock(cairo_t* cairo, int width, int height, const LockPrompt& prompt);
