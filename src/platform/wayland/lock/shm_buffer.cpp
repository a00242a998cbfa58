#include <sys/mman.h>
#include <unistd.h>

#include "platform/wayland/lock/shm_buffer.h"

namespace {

void Released(void*, wl_buffer* buffer) {
    wl_buffer_destroy(buffer);
}
const wl_buffer_listener kReleaseListener{Released};

} // namespace

ShmPixels NewShmPixels(wl_shm* shm, int width, int height) {
    ShmPixels result;
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    const int size = stride * height;
    const int fd = memfd_create("tavinor-lock", MFD_CLOEXEC);
    if (fd < 0)
        return result;
    if (ftruncate(fd, size) != 0) {
        close(fd);
        return result;
    }
    void* pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED) {
        close(fd);
        return result;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
    result.buffer =
        wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_buffer_add_listener(result.buffer, &kReleaseListener, nullptr);
    result.pixels = pixels;
    result.stride = stride;
    result.size = size;
    return result;
}

void DoneDrawing(const ShmPixels& pixels) {
    munmap(pixels.pixels, pixels.size);
}
