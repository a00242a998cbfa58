#include <unicode/ucnv.h>

#include "platform/gbk.h"

namespace platform {
namespace {

// `text` from the encoding `from` to `to`. `exact` fails where `to` has no
// character for one of `text`; otherwise ICU substitutes as Qt's decoder does.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view text,
                                   bool exact) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* target = ucnv_open(to, &status);
    UConverter* source = ucnv_open(from, &status);
    if (exact)
        ucnv_setFromUCallBack(target, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &status);
    // Three UTF-8 bytes are the most either side spends on one GBK byte.
    std::string out(text.size() * 3, '\0');
    char* written = out.data();
    const char* read = text.data();
    UChar pivot[256];
    UChar* pivotSource = pivot;
    UChar* pivotTarget = pivot;
    if (U_SUCCESS(status))
        ucnv_convertEx(target, source, &written, out.data() + out.size(), &read,
                       text.data() + text.size(), pivot, &pivotSource, &pivotTarget,
                       pivot + std::size(pivot), true, exact, &status);
    ucnv_close(source);
    ucnv_close(target);
    if (U_FAILURE(status))
        return std::nullopt;
    out.resize(static_cast<std::size_t>(written - out.data()));
    return out;
}

} // namespace

std::string Utf8FromGbk(std::string_view gbk) {
    return Convert("UTF-8", "GBK", gbk, false).value_or(std::string());
}

std::optional<std::string> GbkFromUtf8(std::string_view utf8) {
    return Convert("GBK", "UTF-8", utf8, true);
}

} // namespace platform
