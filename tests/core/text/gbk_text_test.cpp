#include <gtest/gtest.h>

#include "core/shell/documents_path.h"
#include "core/text/gbk_text.h"
#include "platform/gbk.h"

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

// The one converter of the windows and the lock client: what the data file
// holds must come back as the same bytes.
TEST(GbkConversion, RoundTripsCodePage936AndRefusesWhatItCannotHold) {
    const std::string gbk = "\xC4\xAC\xC8\xCF\xB7\xD6\xC0\xE0"; // 默认分类
    EXPECT_EQ(platform::Utf8FromGbk(gbk), "默认分类");
    EXPECT_EQ(platform::GbkFromUtf8("默认分类"), gbk);
    EXPECT_EQ(platform::Utf8FromGbk("\x80"), "€") << "code page 936, not plain GBK";
    const std::string userDefined = "\xAA\xA1\xFE\xFE";
    EXPECT_EQ(platform::GbkFromUtf8(platform::Utf8FromGbk(userDefined)), userDefined);
    EXPECT_EQ(platform::Utf8FromGbk("ab\xC4"), "ab") << "a cut-off lead byte is left out";
    EXPECT_EQ(platform::GbkFromUtf8("a\xF0\x9F\x98\x80"), std::nullopt);
    EXPECT_EQ(platform::GbkFromUtf8("a\xC3"), std::nullopt) << "no valid UTF-8";
    EXPECT_EQ(platform::GbkFromUtf8(""), "");
}

} // namespace
