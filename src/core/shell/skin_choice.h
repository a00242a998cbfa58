#pragma once
// The two built-in skins as the data file's `skinChoice` selects them.

#include <cstdint>

// 1 for the default skin (choice 0), 2 for any other choice.
int SkinNumber(int8_t skinChoice);

// The choice after one press of the skin button: 0 and 1 swap, any other
// value the file may hold goes to 1 when even and to 0 when odd.
int8_t NextSkinChoice(int8_t skinChoice);

// Where each skin wants the tab strip and its buttons, as top offsets.
struct TabStripTops {
    int suiPageControl1;
    int ie_btn;
    int skin_btn;
    int lock_btn;
    int fresh_btn;
};
TabStripTops TabStripTopsOfSkin(int skinNumber);
