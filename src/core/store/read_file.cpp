#include <algorithm>
#include <cstdint>

#include "core/store/read_file.h"
#include "platform/files.h"

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit) {
    platform::File file = platform::File::ReadRegular(path);
    if (!file.IsOpen())
        return std::nullopt;
    std::string bytes;
    // Room for the whole file at once: grown as it is read, a string would
    // hold twice a large file while it moves.
    bytes.reserve(
        std::min(limit, static_cast<std::size_t>(std::max<std::int64_t>(file.Size(), 0))));
    char buffer[1 << 16];
    while (bytes.size() < limit) {
        const std::int64_t n = file.Read(buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}
