#include "platform/freedesktop/session.h"

#include <QString>

namespace platform {

bool IsWaylandSession() {
    return qEnvironmentVariable("XDG_SESSION_TYPE") == "wayland" ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace platform
