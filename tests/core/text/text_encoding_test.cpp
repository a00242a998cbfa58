#include <gtest/gtest.h>

#include "core/text/text_encoding.h"

namespace {

TEST(TextEncoding, TellsUtf8FromGbk) {
    EXPECT_TRUE(IsUtf8("\xE6\x96\xB0\xE9\x97\xBB news")); // 新闻
    EXPECT_FALSE(IsUtf8("\xD0\xC2\xCE\xC5"));             // 新闻 in GBK
    EXPECT_TRUE(IsGbk("\xD0\xC2\xCE\xC5 news"));
    EXPECT_FALSE(IsUtf8("\xC0\xAF")) << "an overlong '/'";
    EXPECT_FALSE(IsUtf8("\xED\xA0\x80")) << "a surrogate";
    EXPECT_FALSE(IsUtf8("\xE6\x96")) << "cut short";
    EXPECT_FALSE(IsGbk("\xD0\x7F"));
    EXPECT_FALSE(IsGbk("\xD0")) << "a lead byte at the end";
    EXPECT_FALSE(IsGbk("\xFF\x41"));
    EXPECT_EQ(WithoutUtf8Bom("\xEF\xBB\xBF[x]"), "[x]");
}

} // namespace
