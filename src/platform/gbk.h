#pragma once
// GBK (code page 936), the text of the data file and of files from a Chinese
// Windows, to and from UTF-8 in plain C++, so that the windows and the lock
// client convert alike. One backend per system defines it (posix/gbk/ over
// ICU, the converter Qt uses; win/gbk/ over the system's code page 936), built
// as the Qt-free library tavinor_gbk that the core links.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The UTF-8 of GBK bytes: a byte sequence that is no character becomes
// U+FFFD; a lead byte cut off at the end is left out. The user-defined areas
// read as private-use characters, so they come back as the same bytes.
std::string Utf8FromGbk(std::string_view gbk);

// The GBK bytes of UTF-8 text, or nothing when a character has none or the
// text is no valid UTF-8.
std::optional<std::string> GbkFromUtf8(std::string_view utf8);

} // namespace platform
