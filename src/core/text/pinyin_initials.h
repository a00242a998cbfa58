#pragma once
// The first letters of the Mandarin readings of GBK's double-byte characters,
// so that "bd" finds 百度. Every reading counts: 行 gives both h and x.

#include <cstdint>

// The letters as bits (bit 0 for a, bit 25 for z); 0 for a character
// without a reading (punctuation, symbols, kana, an unassigned code).
uint32_t PinyinInitials(unsigned char lead, unsigned char trail);

// The generated table (pinyin_initials_table.cpp): one code per cell of
// leads 0x81..0xFE and trails 0x40..0xFE; 0 for none, 1..26 for the one
// letter a..z, 27 + k for the letters of kPinyinInitialSets[k].
constexpr int kPinyinTrailCount = 0xFF - 0x40;
extern const uint16_t kPinyinInitialCodes[(0xFF - 0x81) * kPinyinTrailCount];
extern const uint32_t kPinyinInitialSets[];
