#include "platform/x11/session.h"

#include <QString>

namespace platform {

bool IsWaylandSession() {
    return qEnvironmentVariable("XDG_SESSION_TYPE") == "wayland" ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace platform
