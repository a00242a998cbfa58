#include <gtest/gtest.h>

#include "ui/text/gbk_codec.h"

namespace {

TEST(GbkCodec, RoundTripsChineseAndMarksWhatGbkCannotHold) {
    const std::string gbk = "\xC4\xAC\xC8\xCF\xB7\xD6\xC0\xE0"; // 默认分类
    EXPECT_EQ(FromGbk(gbk), QString("默认分类"));
    EXPECT_EQ(ToGbk("默认分类"), gbk);
    EXPECT_EQ(ToGbk("a") + ToGbk(QString::fromUtf8("\xF0\x9F\x98\x80")) + ToGbk("b"), "a?b");
    EXPECT_EQ(ToGbk(QString::fromUtf8("x\xF0\x9F\x98\x80y默")), "x?y\xC4\xAC")
        << "nothing around the replaced character is lost";
    const char field[6] = {'a', 'b', '\0', 'z', 'z', 'z'};
    EXPECT_EQ(FromGbk(field, sizeof field), "ab") << "bytes after the NUL are not text";
}

} // namespace
