#include <iconv.h>

#include "platform/wayland/lock/gbk_bytes.h"

std::optional<std::string> GbkBytes(std::string_view utf8) {
    iconv_t convert = iconv_open("GBK", "UTF-8");
    if (convert == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    // A GBK character never takes more bytes than its UTF-8 form.
    std::string gbk(utf8.size(), '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* out = gbk.data();
    std::size_t outLeft = gbk.size();
    const std::size_t done = iconv(convert, &in, &inLeft, &out, &outLeft);
    iconv_close(convert);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0)
        return std::nullopt;
    gbk.resize(gbk.size() - outLeft);
    return gbk;
}
