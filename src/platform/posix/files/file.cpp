#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace platform {

File File::ReadRegular(const std::string& path) {
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return File(kClosed);
    File file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    // The name may have been swapped for something else since the check.
    if (file.IsOpen() && file.Size() < 0)
        return File(kClosed);
    return file;
}

File File::Update(const std::string& path) {
    return File(path.empty() ? kClosed : ::open(path.c_str(), O_RDWR | O_CLOEXEC));
}

File::~File() {
    if (IsOpen())
        ::close(static_cast<int>(handle_));
}

std::int64_t File::Read(char* buffer, std::size_t size) {
    ssize_t n;
    do
        n = IsOpen() ? ::read(static_cast<int>(handle_), buffer, size) : -1;
    while (n < 0 && errno == EINTR);
    return n;
}

std::int64_t File::Size() const {
    struct stat info {};
    if (!IsOpen() || ::fstat(static_cast<int>(handle_), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return info.st_size;
}

bool File::WriteAt(std::int64_t offset, const void* bytes, std::size_t size) {
    ssize_t written;
    do
        written = IsOpen() ? ::pwrite(static_cast<int>(handle_), bytes, size, offset) : -1;
    while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(size);
}

} // namespace platform
