#include "core/store/store_writes.h"

#include <cerrno>
#include <cstdio>
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

// A rename reaches the disk only with its folder.
void SyncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
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

bool ReplaceFile(const std::string& path, const std::string& bytes) {
    if (path.empty())
        return false;
    // A new file left behind by a kill is simply written over next time.
    const std::string beside = path + "_new";
    const int fd = ::open(beside.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, bytes.data(), bytes.size(), 0) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(beside.c_str(), path.c_str()) != 0) {
        ::unlink(beside.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}
