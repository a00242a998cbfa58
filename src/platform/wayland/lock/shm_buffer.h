#pragma once
// A picture in shared memory that the compositor shows: drawn once with
// cairo, then handed over; it frees itself when the compositor lets it go.

#include <cairo.h>
#include <wayland-client.h>

// Returns the buffer with the picture `draw` made, or nullptr.
template <typename Draw> wl_buffer* DrawnBuffer(wl_shm* shm, int width, int height, Draw draw);

// The mapped pixels of a new buffer; `buffer` is nullptr on failure.
struct ShmPixels {
    wl_buffer* buffer = nullptr;
    void* pixels = nullptr;
    int stride = 0;
    int size = 0;
};
ShmPixels NewShmPixels(wl_shm* shm, int width, int height);
// Unmaps the pixels; the buffer stays with the compositor until released.
void DoneDrawing(const ShmPixels& pixels);

template <typename Draw> wl_buffer* DrawnBuffer(wl_shm* shm, int width, int height, Draw draw) {
    const ShmPixels pixels = NewShmPixels(shm, width, height);
    if (pixels.buffer == nullptr)
        return nullptr;
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(static_cast<unsigned char*>(pixels.pixels),
                                            CAIRO_FORMAT_ARGB32, width, height, pixels.stride);
    cairo_t* cairo = cairo_create(surface);
    draw(cairo);
    cairo_destroy(cairo);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    DoneDrawing(pixels);
    return pixels.buffer;
}
