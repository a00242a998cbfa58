#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/store/read_file.h"

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit) {
    // Opening some devices already acts on them: they are not even opened.
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    // The name may have been swapped for something else since the check.
    bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    std::string bytes;
    // Room for the whole file at once: grown as it is read, a string would
    // hold twice a large file while it moves.
    if (ok)
        bytes.reserve(std::min(limit, static_cast<std::size_t>(status.st_size)));
    char buffer[1 << 16];
    while (ok && bytes.size() < limit) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return bytes;
}
