#include <algorithm>
#include <cstring>

#include "core/text/gbk_text.h"

int CopyGbkBounded(char* destination, const char* source, int bound) {
    if (destination == nullptr || source == nullptr || bound <= 0)
        return -1;
    int count = 0;
    const char* p = source;
    while (*p != '\0') {
        const bool lead = (static_cast<unsigned char>(*p) & 0x80) != 0;
        const int size = lead ? 2 : 1;
        if (count + size > bound)
            break;
        destination[count] = p[0];
        if (lead) {
            // A lead byte at the very end pairs with the terminating NUL.
            destination[count + 1] = p[1];
            if (p[1] == '\0') {
                count += 2;
                break;
            }
        }
        count += size;
        p += size;
    }
    destination[count] = '\0';
    return 0;
}

std::string CutGbk(const std::string& text, int bound) {
    std::size_t count = 0;
    const std::size_t limit = bound > 0 ? static_cast<std::size_t>(bound) : 0;
    while (count < text.size()) {
        const std::size_t size = (static_cast<unsigned char>(text[count]) & 0x80) ? 2 : 1;
        if (count + size > limit)
            break;
        count += size;
    }
    return text.substr(0, std::min(count, text.size()));
}

std::string TrimBytes(const std::string& text) {
    return std::string(TrimmedBytes(text));
}

std::string_view TrimmedBytes(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20)
        --end;
    return text.substr(begin, end - begin);
}

std::string FieldText(const char* field, std::size_t width) {
    return width == 0 ? std::string() : std::string(field, strnlen(field, width - 1));
}

void CopyField(char* field, std::size_t width, const std::string& text) {
    if (width == 0)
        return;
    const std::size_t size = std::min(text.size(), width - 1);
    std::memcpy(field, text.data(), size);
    field[size] = '\0';
}
