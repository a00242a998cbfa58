#pragma once
// The kind of desktop session the program runs in. The windows always go
// through X (Xwayland on a Wayland session); what X cannot do for a Wayland
// session asks the desktop instead.

namespace platform {

// True on a Wayland session.
bool IsWaylandSession();

} // namespace platform
