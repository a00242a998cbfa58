#pragma once
// Paths as Windows' wide calls take them.

#include <string>

namespace platform {

// The UTF-8 `path` in UTF-16; empty when it is empty or no valid UTF-8.
std::wstring WidePath(const std::string& path);

} // namespace platform
