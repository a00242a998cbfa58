#include <algorithm>
#include <cerrno>
#include <cstring>
#include <linux/input-event-codes.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include "ext-session-lock-v1-client-protocol.h"
#include "platform/lock_channel/channel.h"
#include "platform/wayland/lock/shm_buffer.h"
#include "platform/wayland/lock/wayland_lock.h"
#include "wlr-input-inhibitor-unstable-v1-client-protocol.h"
// The protocol names a parameter "namespace", a C++ keyword.
#define namespace surface_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace

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

void OnLayerConfigure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width,
                      uint32_t height) {
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    auto* output = static_cast<Output*>(data);
    output->lock->Configured(*output, static_cast<int>(width), static_cast<int>(height));
}
void OnLayerClosed(void* data, zwlr_layer_surface_v1*) {
    auto* output = static_cast<Output*>(data);
    output->lock->OutputClosed(*output);
}
const zwlr_layer_surface_v1_listener kLayerListener{OnLayerConfigure, OnLayerClosed};

void OnLockSurfaceConfigure(void* data, ext_session_lock_surface_v1* surface, uint32_t serial,
                            uint32_t width, uint32_t height) {
    ext_session_lock_surface_v1_ack_configure(surface, serial);
    auto* output = static_cast<Output*>(data);
    output->lock->Configured(*output, static_cast<int>(width), static_cast<int>(height));
}
const ext_session_lock_surface_v1_listener kLockSurfaceListener{OnLockSurfaceConfigure};

void OnLocked(void* data, ext_session_lock_v1*) {
    Of(data)->SessionLocked();
}
void OnFinished(void* data, ext_session_lock_v1*) {
    Of(data)->SessionLockFinished();
}
const ext_session_lock_v1_listener kSessionLockListener{OnLocked, OnFinished};

void OnCapabilities(void* data, wl_seat*, uint32_t capabilities) {
    Of(data)->SeatCapabilities(capabilities);
}
void OnSeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener{OnCapabilities, OnSeatName};

void OnKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1)
        Of(data)->Keymap(fd, size);
    close(fd);
}
void OnKeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
// No release comes for a key held while the keyboard goes elsewhere.
void OnKeyboardLeave(void* data, wl_keyboard*, uint32_t, wl_surface*) {
    Of(data)->KeyReleased(0);
}
void OnKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED)
        Of(data)->KeyPressed(key);
    else
        Of(data)->KeyReleased(key);
}
void OnModifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched,
                 uint32_t locked, uint32_t group) {
    Of(data)->Modifiers(depressed, latched, locked, group);
}
void OnRepeatInfo(void* data, wl_keyboard*, int32_t rate, int32_t delay) {
    Of(data)->RepeatInfo(rate, delay);
}
const wl_keyboard_listener kKeyboardListener{OnKeymap, OnKeyboardEnter, OnKeyboardLeave,
                                             OnKey,    OnModifiers,     OnRepeatInfo};

void OnPointerEnter(void* data, wl_pointer*, uint32_t, wl_surface* surface, wl_fixed_t x,
                    wl_fixed_t y) {
    Of(data)->PointerAt(surface, wl_fixed_to_double(x), wl_fixed_to_double(y));
}
void OnPointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) {
    Of(data)->PointerAt(nullptr, 0, 0);
}
void OnMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
    Of(data)->PointerAt(nullptr, wl_fixed_to_double(x), wl_fixed_to_double(y));
}
void OnButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
    if (button == BTN_LEFT && state == WL_POINTER_BUTTON_STATE_PRESSED)
        Of(data)->Click();
}
void OnAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
// Version 5 of the seat adds pointer events; it is bound at version 4, the
// first that tells the keyboard's repeat.
wl_pointer_listener PointerListener() {
    wl_pointer_listener listener{};
    listener.enter = OnPointerEnter;
    listener.leave = OnPointerLeave;
    listener.motion = OnMotion;
    listener.button = OnButton;
    listener.axis = OnAxis;
    return listener;
}
const wl_pointer_listener kPointerListener = PointerListener();

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
        seat_ = static_cast<wl_seat*>(bind(&wl_seat_interface, 4));
        wl_seat_add_listener(seat_, &kSeatListener, this);
    } else if (std::strcmp(interface, ext_session_lock_manager_v1_interface.name) == 0)
        sessionLockManager_ = static_cast<ext_session_lock_manager_v1*>(
            bind(&ext_session_lock_manager_v1_interface, 1));
    else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0)
        layerShell_ = static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, 1));
    else if (std::strcmp(interface, zwlr_input_inhibit_manager_v1_interface.name) == 0)
        inhibitManager_ = static_cast<zwlr_input_inhibit_manager_v1*>(
            bind(&zwlr_input_inhibit_manager_v1_interface, 1));
    else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        auto output = std::make_unique<Output>();
        output->lock = this;
        output->name = name;
        output->output = static_cast<wl_output*>(bind(&wl_output_interface, 1));
        Output* shown = output.get();
        for (auto& picture : output->pictures)
            picture = std::make_unique<ShmBuffer>([this, shown] { PictureReleased(*shown); });
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

void WaylandLock::Cover(Output& output) {
    output.surface = wl_compositor_create_surface(compositor_);
    if (sessionLock_ != nullptr) {
        output.lockSurface =
            ext_session_lock_v1_get_lock_surface(sessionLock_, output.surface, output.output);
        ext_session_lock_surface_v1_add_listener(output.lockSurface, &kLockSurfaceListener,
                                                 &output);
        return;
    }
    output.layer =
        zwlr_layer_shell_v1_get_layer_surface(layerShell_, output.surface, output.output,
                                              ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "tavinor-lock");
    zwlr_layer_surface_v1_set_anchor(
        output.layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                          ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    // Over panels too, which would otherwise keep their reserved strips.
    zwlr_layer_surface_v1_set_exclusive_zone(output.layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(output.layer, 1);
    zwlr_layer_surface_v1_add_listener(output.layer, &kLayerListener, &output);
    wl_surface_commit(output.surface);
}

void WaylandLock::Uncover(Output& output) {
    if (pointerSurface_ == output.surface)
        pointerSurface_ = nullptr;
    if (output.lockSurface != nullptr)
        ext_session_lock_surface_v1_destroy(output.lockSurface);
    if (output.layer != nullptr)
        zwlr_layer_surface_v1_destroy(output.layer);
    if (output.frame != nullptr)
        wl_callback_destroy(output.frame);
    if (output.surface != nullptr)
        wl_surface_destroy(output.surface);
    output.frame = nullptr;
    output.dirty = false;
    output.lockSurface = nullptr;
    output.layer = nullptr;
    output.surface = nullptr;
}

void WaylandLock::Configured(Output& output, int width, int height) {
    output.width = width;
    output.height = height;
    Draw(output);
}

void WaylandLock::OutputClosed(Output& output) {
    Uncover(output);
}

// Drawn at most once a frame of the output: keys typed faster than that
// are shown together in the next frame.
void WaylandLock::Draw(Output& output) {
    output.dirty = true;
    if (output.frame == nullptr)
        Paint(output);
}

void WaylandLock::Paint(Output& output) {
    if (output.surface == nullptr || output.width <= 0 || output.height <= 0)
        return;
    wl_buffer* buffer = nullptr;
    // Both pictures with the compositor: the next release draws.
    for (auto& picture : output.pictures)
        if (buffer == nullptr && !picture->Busy())
            buffer = picture->Drawn(shm_, output.width, output.height, [&](cairo_t* cairo) {
                output.spots = DrawLock(cairo, output.width, output.height, prompt_);
            });
    if (buffer == nullptr)
        return;
    output.dirty = false;
    static const wl_callback_listener frameListener{[](void* data, wl_callback*, uint32_t) {
        auto* done = static_cast<Output*>(data);
        done->lock->FrameShown(*done);
    }};
    output.frame = wl_surface_frame(output.surface);
    wl_callback_add_listener(output.frame, &frameListener, &output);
    wl_surface_attach(output.surface, buffer, 0, 0);
    wl_surface_damage(output.surface, 0, 0, output.width, output.height);
    wl_surface_commit(output.surface);
}

void WaylandLock::FrameShown(Output& output) {
    wl_callback_destroy(output.frame);
    output.frame = nullptr;
    if (output.dirty)
        Paint(output);
}

void WaylandLock::PictureReleased(Output& output) {
    if (output.dirty && output.frame == nullptr)
        Paint(output);
}

void WaylandLock::DrawAll() {
    for (auto& output : outputs_)
        Draw(*output);
}

// A seat loses its keyboard when the last one is unplugged, and the
// compositor then lets go of the client's keyboard object: a keyboard
// plugged in again needs a new one.
void WaylandLock::SeatCapabilities(uint32_t capabilities) {
    const bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
    if (keyboard && keyboard_ == nullptr) {
        keyboard_ = wl_seat_get_keyboard(seat_);
        wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
    } else if (!keyboard && keyboard_ != nullptr) {
        wl_keyboard_destroy(keyboard_);
        keyboard_ = nullptr;
    }
    const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
    if (pointer && pointer_ == nullptr) {
        pointer_ = wl_seat_get_pointer(seat_);
        wl_pointer_add_listener(pointer_, &kPointerListener, this);
    } else if (!pointer && pointer_ != nullptr) {
        wl_pointer_destroy(pointer_);
        pointer_ = nullptr;
    }
}

// The keys mean what the compositor's keymap says; a typist's layout is his.
void WaylandLock::Keymap(int fd, uint32_t size) {
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text == MAP_FAILED)
        return;
    xkb_keymap* keymap =
        xkb_keymap_new_from_string(xkb_, static_cast<const char*>(text), XKB_KEYMAP_FORMAT_TEXT_V1,
                                   XKB_KEYMAP_COMPILE_NO_FLAGS);
    munmap(text, size);
    if (keymap == nullptr)
        return;
    if (keyState_ != nullptr)
        xkb_state_unref(keyState_);
    if (keymap_ != nullptr)
        xkb_keymap_unref(keymap_);
    keymap_ = keymap;
    keyState_ = xkb_state_new(keymap_);
}

void WaylandLock::Modifiers(uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group) {
    if (keyState_ == nullptr)
        return;
    xkb_state_update_mask(keyState_, depressed, latched, locked, 0, 0, group);
    const bool caps =
        xkb_state_mod_name_is_active(keyState_, XKB_MOD_NAME_CAPS, XKB_STATE_MODS_EFFECTIVE) > 0;
    if (caps != prompt_.CapsLock()) {
        prompt_.SetCapsLock(caps);
        DrawAll();
    }
}

// rate: keys a second, 0 for none; delay: milliseconds before the first.
void WaylandLock::RepeatInfo(int rate, int delay) {
    repeatRate_ = rate;
    repeatDelay_ = delay;
}

void WaylandLock::KeyPressed(uint32_t key) {
    if (keyState_ == nullptr)
        return;
    // Wayland key codes are evdev codes; xkb counts from 8.
    const xkb_keycode_t code = key + 8;
    repeatKey_ = repeatRate_ > 0 && xkb_keymap_key_repeats(keymap_, code) ? code : 0;
    ArmRepeat(repeatKey_ != 0 ? std::max(repeatDelay_, 1) : 0);
    Key(code);
}

// key 0: whichever key was held.
void WaylandLock::KeyReleased(uint32_t key) {
    if (key == 0 || key + 8 == repeatKey_) {
        repeatKey_ = 0;
        ArmRepeat(0);
    }
}

// The held key comes again at the compositor's rate after its delay;
// 0 stops it.
void WaylandLock::ArmRepeat(int firstMs) {
    itimerspec when{};
    if (firstMs > 0) {
        const long interval = 1000000000L / repeatRate_;
        when.it_value = {firstMs / 1000, (firstMs % 1000) * 1000000L};
        when.it_interval = {interval / 1000000000L, interval % 1000000000L};
    }
    timerfd_settime(repeatTimer_, 0, &when, nullptr);
}

void WaylandLock::Repeat() {
    uint64_t times = 0;
    if (read(repeatTimer_, &times, sizeof times) != sizeof times)
        return;
    for (uint64_t time = 0; time < times && repeatKey_ != 0; ++time)
        Key(repeatKey_);
}

void WaylandLock::Key(xkb_keycode_t code) {
    const bool ctrl =
        xkb_state_mod_name_is_active(keyState_, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0;
    switch (xkb_state_key_get_one_sym(keyState_, code)) {
    case XKB_KEY_Return:
    case XKB_KEY_KP_Enter:
        Act(prompt_.Enter());
        break;
    case XKB_KEY_BackSpace:
        prompt_.EraseCharacter();
        break;
    case XKB_KEY_Tab:
        prompt_.NextField(false);
        break;
    case XKB_KEY_ISO_Left_Tab:
        prompt_.NextField(true);
        break;
    case XKB_KEY_Escape:
        if (prompt_.CurrentMode() == LockPrompt::Mode::Change)
            prompt_.CancelChange();
        else
            prompt_.ClearEntry();
        break;
    case XKB_KEY_u:
    case XKB_KEY_U:
        if (!ctrl)
            return TypeKey(code);
        prompt_.ClearEntry();
        break;
    default:
        return TypeKey(code);
    }
    DrawAll();
}

void WaylandLock::TypeKey(xkb_keycode_t code) {
    char text[16];
    const int size = xkb_state_key_get_utf8(keyState_, code, text, sizeof text);
    // Control characters (Ctrl with a letter, Delete) type nothing.
    if (size <= 0 || static_cast<unsigned char>(text[0]) < 0x20 || text[0] == 0x7f)
        return;
    prompt_.Type({text, static_cast<std::size_t>(size)});
    explicit_bzero(text, sizeof text);
    DrawAll();
}

void WaylandLock::PointerAt(wl_surface* surface, double x, double y) {
    if (surface != nullptr)
        pointerSurface_ = surface;
    pointerX_ = x;
    pointerY_ = y;
}

void WaylandLock::Click() {
    for (auto& output : outputs_) {
        if (output->surface == nullptr || output->surface != pointerSurface_)
            continue;
        const LockSpots& spots = output->spots;
        const double x = pointerX_;
        const double y = pointerY_;
        if (prompt_.CurrentMode() == LockPrompt::Mode::Unlock) {
            if (spots.unlock.Contains(x, y))
                Act(prompt_.Enter());
            else if (spots.changeLink.Contains(x, y))
                prompt_.OpenChange();
        } else if (spots.ok.Contains(x, y)) {
            Act(prompt_.Enter());
        } else if (spots.cancel.Contains(x, y)) {
            prompt_.CancelChange();
        } else {
            for (int field = 0; field < 3; ++field)
                if (spots.fields[field].Contains(x, y))
                    prompt_.FocusField(static_cast<LockPrompt::Field>(field));
        }
        DrawAll();
        return;
    }
}

void WaylandLock::Act(LockPrompt::Outcome outcome) {
    if (outcome == LockPrompt::Outcome::Unlocked)
        unlocked_ = true;
}

// Only the program writes the data file; a password it never hears of would
// be lost at the unlock, so without the program no change is taken.
bool WaylandLock::SaveNewPassword(std::string_view password) {
    return channel_ >= 0 && SendPasswordMessage(channel_, password);
}

// Only a new password comes from the program while locked; anything else
// means it is gone, and the lock stays until the password is typed.
void WaylandLock::ReadProgram() {
    if (ReadGuardMessage(channel_, password_) == GuardMessage::Password)
        return;
    close(channel_);
    channel_ = -1;
}

WaylandLock::End WaylandLock::Run() {
    const int display = wl_display_get_fd(display_);
    while (!unlocked_ && !ended_) {
        while (wl_display_prepare_read(display_) != 0)
            if (wl_display_dispatch_pending(display_) < 0)
                return End::Lost;
        if (unlocked_ || ended_) {
            wl_display_cancel_read(display_);
            break;
        }
        wl_display_flush(display_);
        // A gone program's place is kept with -1, which poll passes over.
        pollfd ready[3] = {{display, POLLIN, 0}, {repeatTimer_, POLLIN, 0}, {channel_, POLLIN, 0}};
        if (poll(ready, 3, -1) < 0) {
            wl_display_cancel_read(display_);
            if (errno == EINTR)
                continue;
            return End::Lost;
        }
        if (ready[0].revents != 0) {
            if (wl_display_read_events(display_) < 0)
                return End::Lost;
        } else {
            wl_display_cancel_read(display_);
        }
        if (wl_display_dispatch_pending(display_) < 0)
            return End::Lost;
        if (ready[1].revents != 0)
            Repeat();
        if (channel_ >= 0 && ready[2].revents != 0)
            ReadProgram();
    }
    Unlock();
    return unlocked_ ? End::Unlocked : End::Ended;
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
