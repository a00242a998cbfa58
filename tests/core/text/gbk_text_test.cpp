#include <gtest/gtest.h>

#include "core/shell/documents_path.h"
#include "core/text/gbk_text.h"

namespace {

const std::string kTwoChinese = "\xC4\xAC\xC8\xCF"; // 默认

TEST(CopyGbkBounded, NeverSplitsADoubleByteCharacter) {
    char out[8];
    ASSERT_EQ(CopyGbkBounded(out, kTwoChinese.c_str(), 3), 0);
    EXPECT_EQ(std::string(out), kTwoChinese.substr(0, 2));
    ASSERT_EQ(CopyGbkBounded(out, "abcd", 3), 0);
    EXPECT_EQ(std::string(out), "abc");
    ASSERT_EQ(CopyGbkBounded(out, ("a" + kTwoChinese).c_str(), 4), 0);
    EXPECT_EQ(std::string(out), "a" + kTwoChinese.substr(0, 2));
    ASSERT_EQ(CopyGbkBounded(out, "", 5), 0);
    EXPECT_EQ(std::string(out), "");
}

TEST(CopyGbkBounded, RefusesBadArgumentsWithoutTouchingTheDestination) {
    char out[4] = "xyz";
    EXPECT_EQ(CopyGbkBounded(out, "ab", 0), -1);
    EXPECT_EQ(CopyGbkBounded(out, "ab", -2), -1);
    EXPECT_EQ(CopyGbkBounded(out, nullptr, 3), -1);
    EXPECT_EQ(CopyGbkBounded(nullptr, "ab", 3), -1);
    EXPECT_STREQ(out, "xyz");
}

TEST(CopyGbkBounded, LeadByteAtTheEndTravelsWithTheTerminator) {
    char out[8];
    ASSERT_EQ(CopyGbkBounded(out, "ab\xC4", 6), 0);
    EXPECT_EQ(std::string(out), "ab\xC4");
}

TEST(GbkByteText, CutAndTrim) {
    EXPECT_EQ(CutGbk("a" + kTwoChinese, 2), "a");
    EXPECT_EQ(CutGbk("a" + kTwoChinese, 5), "a" + kTwoChinese);
    EXPECT_EQ(CutGbk("abc", 0), "");
    EXPECT_EQ(TrimBytes(" \t\r\nab c \x01"), "ab c");
    EXPECT_EQ(TrimBytes("   "), "");
    char field[4];
    CopyField(field, sizeof field, "abcdef");
    EXPECT_STREQ(field, "abc");
    EXPECT_EQ(FieldText(field, sizeof field), "abc");
    // A damaged file's field without its NUL reads as a save would write it.
    const char unterminated[4] = {'w', 'x', 'y', 'z'};
    EXPECT_EQ(FieldText(unterminated, sizeof unterminated), "wxy");
}

TEST(DocumentsFilePath, AnyLengthAndNoNameGivesNothing) {
    const std::string longFolder(4000, 'd');
    EXPECT_EQ(DocumentsFilePath(longFolder, "mine.htm"), longFolder + "/mine.htm");
    EXPECT_EQ(DocumentsFilePath("/home/u/Documents", ""), "");
}

} // namespace
