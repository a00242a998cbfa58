#include <iconv.h>

#include "platform/wayland/lock/gbk_bytes.h"

bool GbkBytes(std::string_view utf8, LockedText& gbk) {
    gbk.Clear();
    iconv_t convert = iconv_open("GBK", "UTF-8");
    if (convert == reinterpret_cast<iconv_t>(-1))
        return false;
    // A GBK character never takes more bytes than its UTF-8 form.
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* out = gbk.Data();
    std::size_t outLeft = LockedText::kCapacity;
    const std::size_t done = iconv(convert, &in, &inLeft, &out, &outLeft);
    iconv_close(convert);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0) {
        gbk.Resize(LockedText::kCapacity - outLeft);
        gbk.Clear();
        return false;
    }
    gbk.Resize(LockedText::kCapacity - outLeft);
    return true;
}
