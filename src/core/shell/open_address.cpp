#include "core/shell/open_address.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>

#include "core/shell/documents_path.h"
#include "core/text/gbk_text.h"
#include "core/text/utf8_path.h"

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The scheme as RFC 3986 spells it, lower-cased; none for a bare path.
std::optional<std::string> SchemeOf(const std::string& address) {
    const auto colon = address.find(':');
    if (colon == std::string::npos || colon == 0 || !std::isalpha((unsigned char)address[0]))
        return std::nullopt;
    for (std::size_t i = 1; i < colon; ++i) {
        const unsigned char c = address[i];
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return std::nullopt;
    }
    return Lower(address.substr(0, colon));
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower((unsigned char)c));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Percent escapes decoded; none for a broken escape or an encoded NUL,
// which could make the browser see another file than the one judged.
std::optional<std::string> PercentDecoded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low < 0 || (high == 0 && low == 0))
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

bool IsOwnPage(const std::string& path, const std::string& documentsFolder) {
    if (documentsFolder.empty() || path.empty() || path[0] != '/')
        return false;
    // Compared as the files the browser would really open: with symbolic
    // links resolved before any "..", a link out of the documents folder and
    // back up leads to another folder's page, and that one is refused.
    std::error_code error;
    const std::filesystem::path own = std::filesystem::weakly_canonical(
        PathOf(DocumentsFilePath(documentsFolder, "mine.htm")), error);
    if (error)
        return false;
    const std::filesystem::path asked = std::filesystem::weakly_canonical(PathOf(path), error);
    return !error && asked == own;
}

// The authority after "//" names a host: user information and port aside,
// something that is not blank is left.
bool HasHostAfterSlashes(const std::string& rest) {
    if (rest.compare(0, 2, "//") != 0)
        return false;
    std::string host = rest.substr(2, rest.find_first_of("/?#", 2) - 2);
    host.erase(0, host.rfind('@') + 1); // npos + 1 is 0: nothing to erase
    const std::size_t colon = host.rfind(':');
    if (colon != std::string::npos && host.find(']', colon) == std::string::npos)
        host.erase(colon);
    return !host.empty() && host.find(' ') == std::string::npos;
}

} // namespace

BrowserAddress JudgeBrowserAddress(const std::string& address, const std::string& documentsFolder) {
    // Control characters never belong to an address; they only hide what it is.
    if (std::any_of(address.begin(), address.end(),
                    [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
        return BrowserAddress::Refused;
    const std::optional<std::string> scheme = SchemeOf(address);
    if (!scheme)
        return IsOwnPage(address, documentsFolder) ? BrowserAddress::OwnPage
                                                   : BrowserAddress::Refused;
    const std::string rest = address.substr(scheme->size() + 1);
    if (*scheme == "http" || *scheme == "https")
        return HasHostAfterSlashes(rest) ? BrowserAddress::Web : BrowserAddress::Refused;
    if (*scheme != "file" || rest.compare(0, 2, "//") != 0)
        return BrowserAddress::Refused;
    // file://host/path: only the local machine, never a share on another one.
    const std::size_t pathStart = rest.find('/', 2);
    const std::string host = Lower(rest.substr(2, pathStart - 2));
    if (pathStart == std::string::npos || (!host.empty() && host != "localhost"))
        return BrowserAddress::Refused;
    const std::string pathPart =
        rest.substr(pathStart, rest.find_first_of("?#", pathStart) - pathStart);
    const std::optional<std::string> path = PercentDecoded(pathPart);
    return path && IsOwnPage(*path, documentsFolder) ? BrowserAddress::OwnPage
                                                     : BrowserAddress::Refused;
}

std::string TypedAddress(const std::string& typed) {
    const std::string address = TrimBytes(typed);
    if (address.empty())
        return address;
    // "host:port" reads like a scheme; a scheme is never followed by a digit.
    const std::optional<std::string> scheme = SchemeOf(address);
    const bool named = scheme && !std::isdigit((unsigned char)address[scheme->size() + 1]);
    return named ? address : "http://" + address;
}
