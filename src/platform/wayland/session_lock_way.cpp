// Which lock protocols the compositor of a Wayland session offers.
#include <wayland-client.h>

#include "platform/freedesktop/session.h"
#include "platform/platform.h"

namespace platform {
namespace {

void Global(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
    static_cast<std::vector<std::string>*>(data)->emplace_back(interface);
}

void GlobalRemoved(void*, wl_registry*, uint32_t) {}

// Empty when the compositor cannot be reached.
std::vector<std::string> CompositorGlobals() {
    std::vector<std::string> globals;
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr)
        return globals;
    static const wl_registry_listener listener{Global, GlobalRemoved};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &globals);
    if (wl_display_roundtrip(display) < 0)
        globals.clear();
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return globals;
}

} // namespace

// A session does not change its kind, nor its compositor its protocols.
LockWay SessionLockWay() {
    static const LockWay way = [] {
        const bool wayland = IsWaylandSession();
        return ChooseLockWay(wayland, wayland ? CompositorGlobals() : std::vector<std::string>{});
    }();
    return way;
}

} // namespace platform
