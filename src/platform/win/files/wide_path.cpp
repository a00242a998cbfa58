#include <windows.h>

#include "platform/win/files/wide_path.h"

namespace platform {

std::wstring WidePath(const std::string& path) {
    if (path.empty() || path.size() > static_cast<std::size_t>(INT_MAX))
        return {};
    const int size = static_cast<int>(path.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length <= 0 || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size,
                                           wide.data(), length) != length)
        return {};
    // A name with a NUL inside would name another file.
    return wide.find(L'\0') == std::wstring::npos ? wide : std::wstring();
}

} // namespace platform
