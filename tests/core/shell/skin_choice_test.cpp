#include <gtest/gtest.h>

#include "core/shell/skin_choice.h"

namespace {

TEST(SkinChoice, TwoSwitchesComeBackAndOddValuesFromTheFileSettle) {
    EXPECT_EQ(NextSkinChoice(NextSkinChoice(0)), 0);
    EXPECT_EQ(NextSkinChoice(NextSkinChoice(1)), 1);
    EXPECT_EQ(NextSkinChoice(2), 1) << "skin 2 shown before and after";
    EXPECT_EQ(NextSkinChoice(3), 0);
    EXPECT_EQ(NextSkinChoice(127), 0) << "no overflow at the top of the byte";
    EXPECT_EQ(NextSkinChoice(-1), 0);
    EXPECT_EQ(NextSkinChoice(-128), 1);
}

TEST(SkinChoice, OnlyZeroMeansTheDefaultSkin) {
    EXPECT_EQ(SkinNumber(0), 1);
    EXPECT_EQ(SkinNumber(1), 2);
    EXPECT_EQ(SkinNumber(2), 2);
    EXPECT_EQ(SkinNumber(-1), 2);
}

} // namespace
