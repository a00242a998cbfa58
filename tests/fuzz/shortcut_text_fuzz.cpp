// The text of an internet shortcut (or a browser's profile list) is read as
// INI: whatever the bytes, every name and value comes out trimmed and on one
// line.
#include "core/favorites/ini_text.h"
#include "core/favorites/shortcut_folder.h"
#include "core/text/text_encoding.h"
#include "fuzz/fuzz_check.h"

namespace {

void CheckTrimmedLine(const std::string& text) {
    FUZZ_CHECK(text.find('\n') == std::string::npos);
    if (text.empty())
        return;
    FUZZ_CHECK(static_cast<unsigned char>(text.front()) > 0x20);
    FUZZ_CHECK(static_cast<unsigned char>(text.back()) > 0x20);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<IniSection> sections = ParseIni(text);
    for (const IniSection& section : sections) {
        CheckTrimmedLine(section.name);
        for (const auto& [key, value] : section.values) {
            CheckTrimmedLine(key);
            CheckTrimmedLine(value);
            FUZZ_CHECK(key.find('=') == std::string::npos);
        }
    }
    const std::string url = ShortcutUrl(text);
    FUZZ_CHECK(url ==
               IniValue(ParseIni(std::string(WithoutUtf8Bom(text))), "internetshortcut", "url"));
    CheckTrimmedLine(url);
    return 0;
}
