#include "core/text/pinyin_initials.h"

uint32_t PinyinInitials(unsigned char lead, unsigned char trail) {
    if (lead < 0x81 || lead == 0xFF || trail < 0x40 || trail == 0xFF)
        return 0;
    const uint16_t code = kPinyinInitialCodes[(lead - 0x81) * kPinyinTrailCount + (trail - 0x40)];
    if (code == 0)
        return 0;
    return code <= 26 ? 1u << (code - 1) : kPinyinInitialSets[code - 27];
}
