#include "core/store/store_writes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/store/store.h"

namespace {

bool WriteAll(int fd, const void* bytes, std::size_t size, off_t offset) {
    ssize_t written;
    do
        written = ::pwrite(fd, bytes, size, offset);
    while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(size);
}

} // namespace

StoreUpdate::StoreUpdate(const std::string& path) {
    // A save never creates the file: one that has gone is not silently
    // replaced by a header without its records.
    if (!path.empty())
        fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
}

StoreUpdate::~StoreUpdate() {
    if (fd_ >= 0)
        ::close(fd_);
}

long StoreUpdate::Size() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return static_cast<long>(info.st_size);
}

bool StoreUpdate::WriteAt(long offset, const void* bytes, std::size_t size) {
    return fd_ >= 0 && WriteAll(fd_, bytes, size, offset);
}

bool StoreUpdate::WriteFixedBlock(const Store& store, bool withQuickLinks) {
    const std::string block = FixedBlockBytes(store);
    return WriteAt(0, block.data(), withQuickLinks ? block.size() : kQuickLinkOffset);
}

std::string FixedBlockBytes(const Store& store) {
    std::string block(static_cast<std::size_t>(kFixedBlockSize), '\0');
    std::memcpy(block.data(), &store.header, sizeof store.header);
    std::memcpy(block.data() + kCategoryTableOffset, store.categories, sizeof store.categories);
    std::memcpy(block.data() + kQuickLinkOffset, store.quickLinks, sizeof store.quickLinks);
    return block;
}
