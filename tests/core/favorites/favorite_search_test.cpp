#include <gtest/gtest.h>

#include "core/favorites/favorite_search.h"
#include "core/text/pinyin_initials.h"
#include "platform/gbk.h"

namespace {

std::string Gbk(const char* utf8) {
    return platform::GbkFromUtf8(utf8).value();
}

std::vector<int> Find(const std::vector<std::pair<const char*, const char*>>& favorites,
                      const char* query) {
    std::vector<FavoriteItem> items;
    for (const auto& [title, url] : favorites)
        items.push_back({0, 0, Gbk(url), Gbk(title), false});
    FavoriteIndex index;
    index.Build(items);
    return index.Find(Gbk(query));
}

TEST(FavoriteSearch, RanksTitleStartThenWordStartThenAnywhere) {
    const std::vector<std::pair<const char*, const char*>> favorites = {
        {"My Mail", "http://a.example/"},    {"Other", "http://mail.example/"},
        {"Email news", "http://b.example/"}, {"mail box", "http://c.example/"},
        {"QQ邮箱", "http://d.example/MAIL"}, {"nothing", "http://e.example/"}};
    EXPECT_EQ(Find(favorites, "  MAIL "), (std::vector<int>{3, 0, 1, 2, 4}));
    EXPECT_EQ(Find(favorites, "   "), std::vector<int>{});
}

TEST(FavoriteSearch, ChineseTitlesMatchTheInitialsOfEveryReading) {
    const std::vector<std::pair<const char*, const char*>> favorites = {
        {"百度一下", "http://www.baidu.com/"}, {"新浪", "http://sina.com.cn/"},
        {"QQ邮箱", "http://mail.qq.com/"},     {"银行 - 工商", "http://icbc/"},
        {"一行代码", "http://code/"},          {"新闻", "http://news/"}};
    EXPECT_EQ(Find(favorites, "bdyx"), std::vector<int>{0});
    EXPECT_EQ(Find(favorites, "XL"), std::vector<int>{1});
    EXPECT_EQ(Find(favorites, "qqyx"), std::vector<int>{2});
    // 行 reads háng and xíng: 银行 and 一行 start with both; 邮箱 starts a
    // word of its own, 一下 is the middle of one.
    EXPECT_EQ(Find(favorites, "yh"), (std::vector<int>{3, 4}));
    EXPECT_EQ(Find(favorites, "yx"), (std::vector<int>{3, 4, 2, 0}));
    EXPECT_EQ(Find(favorites, "gs"), std::vector<int>{3});
    // Chinese text matches as text, never a trail byte as a letter.
    EXPECT_EQ(Find(favorites, "新"), (std::vector<int>{1, 5}));
}

TEST(FavoriteSearch, ALetterNeverMatchesTheTrailByteOfAChineseCharacter) {
    // 乤 is 81 61 in GBK: its trail byte is an "a".
    EXPECT_EQ(Find({{"乤", "http://x/乤"}}, "A"), std::vector<int>{});
    EXPECT_EQ(Find({{"乤", "http://x/乤"}}, "乤"), std::vector<int>{0});
}

TEST(FavoriteSearch, AKeyRanksTheFirstRowsWithoutLookingAtEveryFavorite) {
    std::vector<FavoriteItem> items;
    for (int i = 0; i < 20000; ++i)
        items.push_back({0, 0, "http://site" + std::to_string(i) + ".example/",
                         "Favorite " + std::to_string(i), false});
    items[10].title = "Site map";
    // The one title starting with "ex" is the last: it still ranks first.
    items.back().title = "Example";
    FavoriteIndex whole;
    FavoriteIndex lazy;
    whole.Build(items);
    lazy.Build(items);
    for (const char* key : {"s", "site", "site1", "sit", "ex"}) {
        const std::vector<int> all = whole.Find(key);
        lazy.Search(key);
        const std::size_t settled = lazy.Settle(5);
        ASSERT_GE(settled, 5u) << key;
        // Only "ex" has to look at every favorite.
        EXPECT_EQ(lazy.Complete(), std::string(key) == "ex") << key;
        for (std::size_t n = 0; n < settled; ++n)
            EXPECT_EQ(lazy.At(n), all[n]) << key << " " << n;
    }
    EXPECT_EQ(whole.Find("ex")[0], 19999);
    EXPECT_EQ(whole.Find("site")[0], 10);
    // Typed on from a complete search, a key looks only at its matches; taken
    // back, it finds that search as it was.
    lazy.Search("site");
    EXPECT_TRUE(lazy.Continue(items.size()));
    lazy.Search("site19999");
    EXPECT_EQ(lazy.Settle(5), 1u);
    EXPECT_EQ(lazy.At(0), 19999);
    lazy.Search("site");
    EXPECT_EQ(lazy.Settled(), items.size());
}

TEST(PinyinInitials, CoverEveryHanziOfGb2312) {
    for (int lead = 0xB0; lead <= 0xF7; ++lead)
        for (int trail = 0xA1; trail <= (lead == 0xD7 ? 0xF9 : 0xFE); ++trail)
            ASSERT_NE(PinyinInitials(lead, trail), 0u) << lead << " " << trail;
    EXPECT_EQ(PinyinInitials(0xA1, 0xA3), 0u); // 。
}

} // namespace
