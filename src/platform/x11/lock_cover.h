#pragma once
// What the lock's guard (lock_guard.cpp), the windows kept on top
// (stacking.cpp) and the held input (input_grab.cpp) share.

#include <X11/Xlib.h>

namespace platform {

// The guard's cover window: while a guard stands by, the windows kept on
// top live inside it, so that should the program die the keyboard falls
// back from them to the guard and to no other program. 0 puts them back
// on the root; the guard's cover itself is left to the guard.
void KeepInCover(Window cover);
// Gives the keyboard back to the program's window that last had it: moving
// a shown window to another parent takes it away.
void RestoreFocus();

} // namespace platform
