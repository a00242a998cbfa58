// The seat: the keyboard (its keymap, modifiers and repeat) and the pointer.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include "platform/wayland/lock/wayland_lock.h"
#include "wayland-cursor.h"

namespace {

WaylandLock* Of(void* data) {
    return static_cast<WaylandLock*>(data);
}

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

void OnPointerEnter(void* data, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x,
                    wl_fixed_t y) {
    Of(data)->PointerAt(surface, wl_fixed_to_double(x), wl_fixed_to_double(y));
    Of(data)->ShowCursor(serial);
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

void WaylandLock::SeatBound(wl_seat* seat) {
    seat_ = seat;
    wl_seat_add_listener(seat_, &kSeatListener, this);
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

// Without a cursor of its own the surface shows none, and the change of
// password opens only by a click. The user's cursor theme, else the one
// the library carries.
void WaylandLock::ShowCursor(uint32_t serial) {
    if (cursorTheme_ == nullptr) {
        const char* size = std::getenv("XCURSOR_SIZE");
        const int pixels = size != nullptr && std::atoi(size) > 0 ? std::atoi(size) : 24;
        cursorTheme_ = wl_cursor_theme_load(std::getenv("XCURSOR_THEME"), pixels, shm_);
    }
    wl_cursor* cursor =
        cursorTheme_ != nullptr ? wl_cursor_theme_get_cursor(cursorTheme_, "left_ptr") : nullptr;
    if (cursor == nullptr || cursor->image_count == 0 || pointer_ == nullptr)
        return;
    wl_cursor_image* image = cursor->images[0];
    if (cursorSurface_ == nullptr) {
        cursorSurface_ = wl_compositor_create_surface(compositor_);
        wl_surface_attach(cursorSurface_, wl_cursor_image_get_buffer(image), 0, 0);
        wl_surface_damage(cursorSurface_, 0, 0, static_cast<int>(image->width),
                          static_cast<int>(image->height));
        wl_surface_commit(cursorSurface_);
    }
    wl_pointer_set_cursor(pointer_, serial, cursorSurface_, static_cast<int>(image->hotspot_x),
                          static_cast<int>(image->hotspot_y));
}
