#pragma once
// The lock on a Wayland compositor: a cover on every output that has the
// keyboard and the pointer to itself, by ext-session-lock-v1 where the
// compositor offers it (the compositor then keeps the session locked even
// if this process dies), otherwise by overlay layer surfaces and the input
// inhibitor (older wlroots compositors).

#include <array>
#include <memory>
#include <vector>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include "platform/wayland/lock/lock_drawing.h"
#include "platform/wayland/lock/lock_prompt.h"
#include "platform/wayland/lock/shm_buffer.h"

struct ext_session_lock_manager_v1;
struct ext_session_lock_v1;
struct ext_session_lock_surface_v1;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;
struct zwlr_input_inhibit_manager_v1;
struct zwlr_input_inhibitor_v1;
struct wp_fractional_scale_manager_v1;
struct wp_fractional_scale_v1;
struct wp_viewporter;
struct wp_viewport;
struct wl_cursor_theme;

class WaylandLock {
public:
    // `channel`: the program's socket, or -1.
    WaylandLock(wl_display* display, LockedText& password, int channel);
    ~WaylandLock();
    WaylandLock(const WaylandLock&) = delete;
    WaylandLock& operator=(const WaylandLock&) = delete;

    // Locks the desktop; false when the compositor offers no way or refused.
    bool Lock();
    enum class End {
        Unlocked, // the right password was typed
        Ended,    // the compositor ended the lock: another locker has the session
        Lost,     // the compositor went away
    };
    // Until the lock ends one way or the other.
    End Run();
    // The program's socket, -1 once the program is gone.
    int Channel() const { return channel_; }

    struct Output {
        WaylandLock* lock = nullptr;
        uint32_t name = 0;
        wl_output* output = nullptr;
        wl_surface* surface = nullptr;
        zwlr_layer_surface_v1* layer = nullptr;
        ext_session_lock_surface_v1* lockSurface = nullptr;
        int width = 0;
        int height = 0;
        int scale = 1; // pixels of the output to one of the surface
        // Where the compositor offers them: the scale it would have, in
        // 120ths (0 until it says), and the picture's size on the surface.
        wp_fractional_scale_v1* fractional = nullptr;
        int scale120 = 0;
        wp_viewport* viewport = nullptr;
        double PictureScale() const { return scale120 > 0 ? scale120 / 120.0 : scale; }
        LockSpots spots;
        // Two pictures, drawn in turn: one shown, the other drawn on. Each
        // is drawn again only where it differs from the look to show.
        struct Picture {
            std::unique_ptr<ShmBuffer> buffer;
            LockLook shows; // the empty look while its pixels are undefined
        };
        std::array<Picture, 2> pictures;
        LockLook shown;               // on the surface: the last picture committed
        wl_callback* frame = nullptr; // asked for with the last picture
        bool dirty = false;           // the picture shown is out of date
    };

    // Called from the protocol listeners.
    void GlobalAdded(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
    void GlobalRemoved(uint32_t name);
    void Configured(Output& output, int width, int height);
    void OutputClosed(Output& output);
    void Scaled(Output& output, int factor);
    void FractionScaled(Output& output, int scale120);
    void FrameShown(Output& output);
    void PictureReleased(Output& output);
    void SessionLocked() { locked_ = true; }
    // Before "locked" a refusal; after it, the end of a lock that held.
    void SessionLockFinished() { (locked_ ? ended_ : refused_) = true; }
    void SeatBound(wl_seat* seat);
    void SeatCapabilities(uint32_t capabilities);
    void Keymap(int fd, uint32_t size);
    void Modifiers(uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group);
    void RepeatInfo(int rate, int delay);
    void KeyPressed(uint32_t key);
    void KeyReleased(uint32_t key);
    void PointerAt(wl_surface* surface, double x, double y);
    void ShowCursor(uint32_t serial);
    void Click();

private:
    static const wl_output_listener kOutputListener;
    void Cover(Output& output);
    void Uncover(Output& output);
    void Draw(Output& output);
    void Paint(Output& output);
    void DrawAll();
    void Key(xkb_keycode_t code);
    void TypeKey(xkb_keycode_t code);
    void ArmRepeat(int firstMs);
    void Repeat();
    void Act(LockPrompt::Outcome outcome);
    void ReadProgram();
    bool SaveNewPassword(std::string_view password);
    void Unlock();

    wl_display* display_;
    LockedText& password_;
    LockPrompt prompt_;
    int channel_;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    ext_session_lock_manager_v1* sessionLockManager_ = nullptr;
    ext_session_lock_v1* sessionLock_ = nullptr;
    zwlr_layer_shell_v1* layerShell_ = nullptr;
    zwlr_input_inhibit_manager_v1* inhibitManager_ = nullptr;
    zwlr_input_inhibitor_v1* inhibitor_ = nullptr;
    wp_fractional_scale_manager_v1* fractionalScale_ = nullptr;
    wp_viewporter* viewporter_ = nullptr;
    std::vector<std::unique_ptr<Output>> outputs_;
    xkb_context* xkb_;
    xkb_keymap* keymap_ = nullptr;
    xkb_state* keyState_ = nullptr;
    wl_surface* pointerSurface_ = nullptr;
    wl_cursor_theme* cursorTheme_ = nullptr;
    wl_surface* cursorSurface_ = nullptr;
    double pointerX_ = 0;
    double pointerY_ = 0;
    int repeatTimer_;
    int repeatRate_ = 0;
    int repeatDelay_ = 0;
    xkb_keycode_t repeatKey_ = 0; // the key held down that repeats, 0 for none
    bool covering_ = false;
    bool locked_ = false;
    bool refused_ = false;
    bool ended_ = false;
    bool unlocked_ = false;
};
