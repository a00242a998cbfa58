#pragma once
// Telling the encodings of outside text apart: files copied from a Chinese
// Windows hold GBK where a Linux desktop writes UTF-8.

#include <string_view>

// `text` without a leading UTF-8 byte-order mark.
std::string_view WithoutUtf8Bom(std::string_view text);

// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or
// code points past U+10FFFF).
bool IsUtf8(std::string_view text);

// True when every byte of `text` belongs to a character of code page 936:
// ASCII, 0x80 alone, or a lead byte 0x81..0xFE with a trail byte
// 0x40..0xFE other than 0x7F.
bool IsGbk(std::string_view text);
