#include <sys/mman.h>
#include <unistd.h>

#include "platform/wayland/lock/shm_buffer.h"

ShmBuffer::~ShmBuffer() {
    Free();
}

void ShmBuffer::OnRelease(void* data, wl_buffer*) {
    auto* buffer = static_cast<ShmBuffer*>(data);
    buffer->busy_ = false;
    buffer->released_();
}

void ShmBuffer::Free() {
    if (buffer_ != nullptr)
        wl_buffer_destroy(buffer_);
    if (pixels_ != nullptr)
        munmap(pixels_, size_);
    buffer_ = nullptr;
    pixels_ = nullptr;
    width_ = height_ = stride_ = size_ = 0;
}

// A buffer of another size (the output changed) is made anew.
bool ShmBuffer::Fit(wl_shm* shm, int width, int height) {
    if (Holds(width, height))
        return true;
    Free();
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    const int size = stride * height;
    const int fd = memfd_create("tavinor-lock", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    void* pixels = ftruncate(fd, size) == 0
                       ? mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                       : MAP_FAILED;
    if (pixels == MAP_FAILED) {
        close(fd);
        return false;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
    buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    static const wl_buffer_listener listener{OnRelease};
    wl_buffer_add_listener(buffer_, &listener, this);
    pixels_ = pixels;
    width_ = width;
    height_ = height;
    stride_ = stride;
    size_ = size;
    return true;
}
