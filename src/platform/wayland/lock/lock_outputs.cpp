// The lock's outputs: a surface over each, drawn once a frame into the
// output's two pictures.
#include <algorithm>
#include <cmath>

#include "platform/wayland/lock/lock_protocols.h"
#include "platform/wayland/lock/wayland_lock.h"

namespace {

using Output = WaylandLock::Output;

// Spots of the surface in a picture's pixels at `scale`, out to whole
// pixels and within the picture.
std::vector<Spot> InPixels(const std::vector<Spot>& spots, double scale, int width, int height) {
    std::vector<Spot> pixels;
    for (const Spot& spot : spots) {
        const int left = std::max(0, static_cast<int>(std::floor(spot.x * scale)));
        const int top = std::max(0, static_cast<int>(std::floor(spot.y * scale)));
        const int right =
            std::min(width, static_cast<int>(std::ceil((spot.x + spot.width) * scale)));
        const int bottom =
            std::min(height, static_cast<int>(std::ceil((spot.y + spot.height) * scale)));
        if (right > left && bottom > top)
            pixels.push_back({left, top, right - left, bottom - top});
    }
    return pixels;
}

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

// The output's integer scale (version 2); the rest is the compositor's.
void OnGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                const char*, int32_t) {}
void OnMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void OnDone(void*, wl_output*) {}
void OnScale(void* data, wl_output*, int32_t factor) {
    auto* output = static_cast<Output*>(data);
    output->lock->Scaled(*output, factor);
}

void OnPreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale120) {
    auto* output = static_cast<Output*>(data);
    output->lock->FractionScaled(*output, static_cast<int>(scale120));
}
const wp_fractional_scale_v1_listener kFractionalScaleListener{OnPreferredScale};

} // namespace

// Version 4 of the output adds its name and description; it is bound at 2.
const wl_output_listener WaylandLock::kOutputListener = [] {
    wl_output_listener listener{};
    listener.geometry = OnGeometry;
    listener.mode = OnMode;
    listener.done = OnDone;
    listener.scale = OnScale;
    return listener;
}();

// A 2× output shows a picture of twice the size, as sharp as the screen.
void WaylandLock::Scaled(Output& output, int factor) {
    output.scale = std::max(factor, 1);
    Draw(output);
}

// A 1.5× output, told as 2 by wl_output, would get a picture of twice the
// size that the compositor shrinks, and blurs; one of its own pixels is
// sharp.
void WaylandLock::FractionScaled(Output& output, int scale120) {
    output.scale120 = scale120;
    Draw(output);
}

void WaylandLock::Cover(Output& output) {
    output.surface = wl_compositor_create_surface(compositor_);
    if (fractionalScale_ != nullptr && viewporter_ != nullptr) {
        output.fractional =
            wp_fractional_scale_manager_v1_get_fractional_scale(fractionalScale_, output.surface);
        wp_fractional_scale_v1_add_listener(output.fractional, &kFractionalScaleListener, &output);
        output.viewport = wp_viewporter_get_viewport(viewporter_, output.surface);
    }
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
    if (output.fractional != nullptr)
        wp_fractional_scale_v1_destroy(output.fractional);
    if (output.viewport != nullptr)
        wp_viewport_destroy(output.viewport);
    if (output.surface != nullptr)
        wl_surface_destroy(output.surface);
    output.frame = nullptr;
    output.fractional = nullptr;
    output.scale120 = 0;
    output.viewport = nullptr;
    output.dirty = false;
    output.shown = {};
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
    const double scale = output.PictureScale();
    const int width = static_cast<int>(std::lround(output.width * scale));
    const int height = static_cast<int>(std::lround(output.height * scale));
    const LockLook look = LookOf(prompt_, output.width, output.height, scale);
    wl_buffer* buffer = nullptr;
    // Both pictures with the compositor: the next release draws.
    for (auto& picture : output.pictures) {
        if (picture.buffer->Busy())
            continue;
        buffer = picture.buffer->Drawn(shm_, width, height, [&](cairo_t* cairo, bool fresh) {
            // The other picture may be a few keys behind: it catches up on
            // all that changed since it was drawn, and no more.
            for (const Spot& spot :
                 InPixels(Changes(fresh ? LockLook{} : picture.shows, look), scale, width, height))
                cairo_rectangle(cairo, spot.x, spot.y, spot.width, spot.height);
            cairo_clip(cairo);
            // Drawn in the output's own pixels, laid out in the surface's units.
            cairo_scale(cairo, scale, scale);
            output.spots = DrawLock(cairo, output.width, output.height, prompt_);
        });
        if (buffer != nullptr)
            picture.shows = look;
        break;
    }
    if (buffer == nullptr)
        return;
    output.dirty = false;
    static const wl_callback_listener frameListener{[](void* data, wl_callback*, uint32_t) {
        auto* done = static_cast<Output*>(data);
        done->lock->FrameShown(*done);
    }};
    output.frame = wl_surface_frame(output.surface);
    wl_callback_add_listener(output.frame, &frameListener, &output);
    // With a viewport the picture, at whatever scale, fills the surface.
    if (output.viewport != nullptr)
        wp_viewport_set_destination(output.viewport, output.width, output.height);
    else
        wl_surface_set_buffer_scale(output.surface, output.scale);
    wl_surface_attach(output.surface, buffer, 0, 0);
    // The compositor takes again only what differs from what it shows.
    for (const Spot& spot : InPixels(Changes(output.shown, look), scale, width, height))
        wl_surface_damage_buffer(output.surface, spot.x, spot.y, spot.width, spot.height);
    output.shown = look;
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
