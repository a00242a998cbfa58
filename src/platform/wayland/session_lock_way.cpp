// Which lock protocols the compositor of a Wayland session offers, learnt on
// a thread of its own at start: a compositor that does not answer must not
// hold up the window thread, and the answer is ready when a lock is asked for.
#include <chrono>
#include <future>
#include <poll.h>
#include <wayland-client.h>

#include "platform/freedesktop/session.h"
#include "platform/platform.h"

namespace platform {
namespace {

constexpr auto kAnswerTime = std::chrono::seconds(3);

void Global(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
    static_cast<std::vector<std::string>*>(data)->emplace_back(interface);
}

void GlobalRemoved(void*, wl_registry*, uint32_t) {}

void Done(void* data, wl_callback*, uint32_t) {
    *static_cast<bool*>(data) = true;
}

// wl_display_roundtrip, with a deadline.
bool Roundtrip(wl_display* display) {
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    static const wl_callback_listener listener{Done};
    bool done = false;
    wl_callback* sync = wl_display_sync(display);
    wl_callback_add_listener(sync, &listener, &done);
    while (!done) {
        while (wl_display_prepare_read(display) != 0)
            if (wl_display_dispatch_pending(display) < 0)
                break;
        if (done) {
            wl_display_cancel_read(display);
            break;
        }
        wl_display_flush(display);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{wl_display_get_fd(display), POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            wl_display_cancel_read(display);
            break;
        }
        if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0)
            break;
    }
    wl_callback_destroy(sync);
    return done;
}

// Empty when the compositor cannot be reached or does not answer.
std::vector<std::string> CompositorGlobals() {
    std::vector<std::string> globals;
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr)
        return globals;
    static const wl_registry_listener listener{Global, GlobalRemoved};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &globals);
    if (!Roundtrip(display))
        globals.clear();
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return globals;
}

// A session does not change its kind, nor its compositor its protocols.
const std::shared_future<LockWay>& Probe() {
    static const std::shared_future<LockWay> way = std::async(std::launch::async, [] {
        const bool wayland = IsWaylandSession();
        return ChooseLockWay(wayland, wayland ? CompositorGlobals() : std::vector<std::string>{});
    });
    return way;
}

} // namespace

void StartSessionLockProbe() {
    Probe();
}

LockWay SessionLockWay() {
    return Probe().get();
}

} // namespace platform
