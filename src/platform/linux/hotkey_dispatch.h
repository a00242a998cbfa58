#pragma once
// Where every way of pressing a global hot key ends: the key grabs on X and
// the desktop's shortcuts on a Wayland session.

#include <string>

namespace platform {

// Runs the hot-key handler for `id` from the event loop, never inside the
// reading of the event that reported the press: the handler may open a
// modal dialog.
void DispatchHotKey(int id);

// Asks the desktop's global shortcuts portal for the hot key `id` as well
// (Wayland sessions); where the desktop has none or refuses, the user is
// told once in the log how to bind the program's commands instead.
void RequestPortalShortcut(int id, unsigned modifiers, unsigned virtualKey,
                           const std::string& description);
// Activations of `id` through the portal are ignored from now on.
void DropPortalShortcut(int id);

} // namespace platform
