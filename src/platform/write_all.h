#pragma once
// Writing a whole buffer through a system call that may take only part of it.

#include <cstddef>
#include <string>

namespace platform {

// The names a new file's writer tries before it gives up.
constexpr int kNameAttempts = 100;

// Hands `bytes` to `writeSome(data, size)` until all went; it returns how
// many bytes it took, 0 or less when it failed.
template <typename WriteSome> bool WriteAll(const std::string& bytes, WriteSome writeSome) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long long n = writeSome(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace platform
