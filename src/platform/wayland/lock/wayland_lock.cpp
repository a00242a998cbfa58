// The lock as a whole: the compositor's globals, and the lock taken and
// ended. The outputs, the seat and the event loop have files of their own.
#include <algorithm>
#include <cstring>
#include <sys/timerfd.h>
#include <unistd.h>

#include "platform/wayland/lock/lock_protocols.h"
#include "platform/wayland/lock/wayland_lock.h"
#include "wayland-cursor.h"

namespace {

using Output = WaylandLock::Output;

WaylandLock* Of(void* data) {
    return static_cast<WaylandLock*>(data);
}

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
    Of(data)->GlobalAdded(registry, name, interface, version);
}
void OnGlobalRemove(void* data, wl_registry*, uint32_t name) {
    Of(data)->GlobalRemoved(name);
}
const wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

void OnLocked(void* data, ext_session_lock_v1*) {
    Of(data)->SessionLocked();
}
void OnFinished(void* data, ext_session_lock_v1*) {
    Of(data)->SessionLockFinished();
}
const ext_session_lock_v1_listener kSessionLockListener{OnLocked, OnFinished};

} // namespace

WaylandLock::WaylandLock(wl_display* display, LockedText& password, int channel)
    : display_(display), password_(password),
      prompt_(password, [this](std::string_view chosen) { return SaveNewPassword(chosen); }),
      channel_(channel), xkb_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)),
      repeatTimer_(timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK)) {}

WaylandLock::~WaylandLock() {
    if (repeatTimer_ >= 0)
        close(repeatTimer_);
    if (keyState_ != nullptr)
        xkb_state_unref(keyState_);
    if (keymap_ != nullptr)
        xkb_keymap_unref(keymap_);
    xkb_context_unref(xkb_);
    if (cursorSurface_ != nullptr)
        wl_surface_destroy(cursorSurface_);
    if (cursorTheme_ != nullptr)
        wl_cursor_theme_destroy(cursorTheme_);
}

void WaylandLock::GlobalAdded(wl_registry* registry, uint32_t name, const char* interface,
                              uint32_t version) {
    const auto bind = [&](const wl_interface* type, uint32_t wanted) {
        return wl_registry_bind(registry, name, type, std::min(version, wanted));
    };
    if (std::strcmp(interface, wl_compositor_interface.name) == 0)
        compositor_ = static_cast<wl_compositor*>(bind(&wl_compositor_interface, 4));
    else if (std::strcmp(interface, wl_shm_interface.name) == 0)
        shm_ = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
    else if (std::strcmp(interface, wl_seat_interface.name) == 0 && seat_ == nullptr) {
        SeatBound(static_cast<wl_seat*>(bind(&wl_seat_interface, 4)));
    } else if (std::strcmp(interface, ext_session_lock_manager_v1_interface.name) == 0)
        sessionLockManager_ = static_cast<ext_session_lock_manager_v1*>(
            bind(&ext_session_lock_manager_v1_interface, 1));
    else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0)
        layerShell_ = static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, 1));
    else if (std::strcmp(interface, zwlr_input_inhibit_manager_v1_interface.name) == 0)
        inhibitManager_ = static_cast<zwlr_input_inhibit_manager_v1*>(
            bind(&zwlr_input_inhibit_manager_v1_interface, 1));
    else if (std::strcmp(interface, wp_fractional_scale_manager_v1_interface.name) == 0)
        fractionalScale_ = static_cast<wp_fractional_scale_manager_v1*>(
            bind(&wp_fractional_scale_manager_v1_interface, 1));
    else if (std::strcmp(interface, wp_viewporter_interface.name) == 0)
        viewporter_ = static_cast<wp_viewporter*>(bind(&wp_viewporter_interface, 1));
    else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        auto output = std::make_unique<Output>();
        output->lock = this;
        output->name = name;
        output->output = static_cast<wl_output*>(bind(&wl_output_interface, 2));
        wl_output_add_listener(output->output, &kOutputListener, output.get());
        Output* shown = output.get();
        for (auto& picture : output->pictures)
            picture.buffer =
                std::make_unique<ShmBuffer>([this, shown] { PictureReleased(*shown); });
        outputs_.push_back(std::move(output));
        // An output plugged in while locked is covered at once.
        if (covering_)
            Cover(*outputs_.back());
    }
}

void WaylandLock::GlobalRemoved(uint32_t name) {
    for (auto output = outputs_.begin(); output != outputs_.end(); ++output) {
        if ((*output)->name != name)
            continue;
        Uncover(**output);
        wl_output_destroy((*output)->output);
        outputs_.erase(output);
        return;
    }
}

bool WaylandLock::Lock() {
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &kRegistryListener, this);
    if (wl_display_roundtrip(display_) < 0 || compositor_ == nullptr || shm_ == nullptr)
        return false;
    if (sessionLockManager_ != nullptr) {
        sessionLock_ = ext_session_lock_manager_v1_lock(sessionLockManager_);
        ext_session_lock_v1_add_listener(sessionLock_, &kSessionLockListener, this);
    } else if (layerShell_ != nullptr && inhibitManager_ != nullptr) {
        // Only one client may hold the inhibitor: a second one is a protocol
        // error, which ends the connection and so this lock.
        inhibitor_ = zwlr_input_inhibit_manager_v1_get_inhibitor(inhibitManager_);
    } else {
        return false;
    }
    covering_ = true;
    for (auto& output : outputs_)
        Cover(*output);
    // The compositor says "locked" once every output shows its lock surface.
    while (sessionLock_ != nullptr && !locked_ && !refused_)
        if (wl_display_dispatch(display_) < 0)
            return false;
    return !refused_ && wl_display_roundtrip(display_) >= 0;
}

// A lock the compositor ended is only destroyed: unlocking it is an error.
void WaylandLock::Unlock() {
    covering_ = false;
    if (sessionLock_ != nullptr) {
        if (ended_)
            ext_session_lock_v1_destroy(sessionLock_);
        else
            ext_session_lock_v1_unlock_and_destroy(sessionLock_);
        sessionLock_ = nullptr;
    }
    if (inhibitor_ != nullptr) {
        zwlr_input_inhibitor_v1_destroy(inhibitor_);
        inhibitor_ = nullptr;
    }
    for (auto& output : outputs_)
        Uncover(*output);
    wl_display_roundtrip(display_);
}
