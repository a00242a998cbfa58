#pragma once
// The data file holds the password in GBK: its rules count and compare GBK bytes.

#include <optional>
#include <string>
#include <string_view>

// The GBK bytes of UTF-8 text, or nothing when a character has none.
std::optional<std::string> GbkBytes(std::string_view utf8);
