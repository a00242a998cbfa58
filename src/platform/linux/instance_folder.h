#pragma once
// The per-user folder that holds the instance lock and, beside it, the
// socket a second start talks to.

#include <QString>

namespace platform {
QString InstanceFolder();
} // namespace platform
