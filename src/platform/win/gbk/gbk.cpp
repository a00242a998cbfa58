#include <windows.h>

#include <climits>

#include "platform/gbk.h"

namespace platform {
namespace {

constexpr UINT kGbk = 936;

// `text` in UTF-16 from `codePage`; nothing where `flags` make a bad byte fail.
std::optional<std::wstring> Wide(UINT codePage, DWORD flags, std::string_view text) {
    if (text.empty())
        return std::wstring();
    if (text.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length <= 0 ||
        MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length) != length)
        return std::nullopt;
    return wide;
}

// `wide` in `codePage`; nothing when a character has none there.
std::optional<std::string> Narrow(UINT codePage, const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    const int size = static_cast<int>(wide.size());
    BOOL missing = FALSE;
    // UTF-8 holds every character and takes no "missing" flag.
    BOOL* missingFlag = codePage == CP_UTF8 ? nullptr : &missing;
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length =
        WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, missingFlag);
    std::string out(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length <= 0 || missing ||
        WideCharToMultiByte(codePage, flags, wide.data(), size, out.data(), length, nullptr,
                            missingFlag) != length ||
        missing)
        return std::nullopt;
    return out;
}

} // namespace

std::string Utf8FromGbk(std::string_view gbk) {
    // A lead byte whose trail byte was cut off is left out, as ICU does.
    std::size_t whole = 0;
    while (whole < gbk.size()) {
        const unsigned char byte = static_cast<unsigned char>(gbk[whole]);
        const std::size_t size = byte >= 0x81 && byte <= 0xFE ? 2 : 1;
        if (whole + size > gbk.size())
            break;
        whole += size;
    }
    const auto wide = Wide(kGbk, 0, gbk.substr(0, whole));
    return wide ? Narrow(CP_UTF8, *wide).value_or(std::string()) : std::string();
}

std::optional<std::string> GbkFromUtf8(std::string_view utf8) {
    const auto wide = Wide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    return wide ? Narrow(kGbk, *wide) : std::nullopt;
}

} // namespace platform
