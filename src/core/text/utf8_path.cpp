#include "core/text/utf8_path.h"

std::filesystem::path PathOf(const std::string& text) {
    try {
        return std::filesystem::path(std::u8string(text.begin(), text.end()));
    } catch (const std::exception&) {
        return {}; // not UTF-8, on a system whose paths are UTF-16
    }
}

std::string Utf8Of(const std::filesystem::path& path) {
    try {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    } catch (const std::exception&) {
        return {};
    }
}
