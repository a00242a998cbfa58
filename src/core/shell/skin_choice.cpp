#include "core/shell/skin_choice.h"

int SkinNumber(int8_t skinChoice) {
    return skinChoice == 0 ? 1 : 2;
}

int8_t NextSkinChoice(int8_t skinChoice) {
    // By parity, so negative values from the file come out as 0 or 1 too.
    return skinChoice % 2 == 0 ? 1 : 0;
}

TabStripTops TabStripTopsOfSkin(int skinNumber) {
    // Each look has its own resting place for the strip; the next size change
    // puts the page control back at 26.
    if (skinNumber == 2)
        return {30, 1, 1, -2, 0};
    return {25, 4, 4, 1, 3};
}
