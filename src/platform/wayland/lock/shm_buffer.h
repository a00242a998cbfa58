#pragma once
// A picture in shared memory that the compositor shows. It is drawn again
// in place once the compositor has let it go (its release), so a lock that
// redraws on every key keeps the memory it started with.

#include <cairo.h>
#include <functional>
#include <wayland-client.h>

class ShmBuffer {
public:
    // `released`: the compositor let the picture go; it may be drawn again.
    explicit ShmBuffer(std::function<void()> released) : released_(std::move(released)) {}
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    // With the compositor: not to be drawn on.
    bool Busy() const { return busy_; }
    // The picture `draw(cairo, fresh)` makes, at that size, ready to attach
    // and then with the compositor; nullptr when no memory could be had.
    // `fresh`: the memory is new, and holds no earlier picture.
    template <typename Draw> wl_buffer* Drawn(wl_shm* shm, int width, int height, Draw draw);

private:
    static void OnRelease(void* data, wl_buffer*);
    bool Holds(int width, int height) const {
        return buffer_ != nullptr && width == width_ && height == height_;
    }
    bool Fit(wl_shm* shm, int width, int height);
    void Free();

    std::function<void()> released_;
    wl_buffer* buffer_ = nullptr;
    void* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    int size_ = 0;
    bool busy_ = false;
};

template <typename Draw>
wl_buffer* ShmBuffer::Drawn(wl_shm* shm, int width, int height, Draw draw) {
    const bool fresh = !Holds(width, height);
    if (busy_ || !Fit(shm, width, height))
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        static_cast<unsigned char*>(pixels_), CAIRO_FORMAT_ARGB32, width, height, stride_);
    cairo_t* cairo = cairo_create(surface);
    draw(cairo, fresh);
    cairo_destroy(cairo);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    busy_ = true;
    return buffer_;
}
