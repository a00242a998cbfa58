#pragma once
// Reading a file the user names, which may be anything the file system holds.

#include <cstddef>
#include <optional>
#include <string>

// The first `limit` bytes of the regular file at `path`, read without ever
// waiting: a FIFO, a device, a folder, or a kernel file that has nothing to
// give yet (/proc/kmsg) yields nothing, as does a file that cannot be read.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit);
