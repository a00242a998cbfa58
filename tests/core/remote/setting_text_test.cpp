#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/remote/setting_text.h"

namespace {

std::string Value(std::string_view text, const char* key, std::size_t capacity = 256) {
    char value[512] = "untouched";
    FindSettingValue(text, key, value, capacity);
    return value;
}

struct Applied {
    RemoteSettings settings = DefaultRemoteSettings("http://site.example/");
    std::array<PlayerSlot, kPlayerSlotCount> players = BuiltInRecommendedPlayers();
    SiteCatalogue catalogue;
    explicit Applied(std::string_view text) {
        FillSiteCatalogue(catalogue, "http://site.example");
        ApplySettingText(text, settings, players, catalogue);
    }
};

} // namespace

TEST(SettingText, FindsTheFirstKeyFollowedByEqualsWhereverItStands) {
    // A key that begins a longer one never takes the longer one's value.
    const std::string text = "you11=b\tB\r\nyou1=a\tA;m0_top=120;m0_t=T\nx=1";
    EXPECT_EQ(Value(text, "you1"), "a\tA");
    EXPECT_EQ(Value(text, "m0_t"), "T");
    EXPECT_EQ(Value(text, "m0_top"), "120");
    // The first occurrence wins, even inside another setting's value.
    EXPECT_EQ(Value("link_url=http://a/?ip=9.9.9.9;ip=1.2.3.4", "ip"), "9.9.9.9");
    // LF alone ends a value just as CRLF does; spaces go wherever they stand.
    EXPECT_EQ(Value("text=a b\nisLink=1", "text"), "ab");
    EXPECT_EQ(Value("text= a  b \r\nisLink=1", "text"), "ab");
    EXPECT_EQ(Value("text=a\tb", "text"), "a\tb");
    // A space before "=" hides the key; a missing key leaves the buffer alone.
    EXPECT_EQ(Value("text =a", "text"), "untouched");
    EXPECT_EQ(Value("", "text"), "untouched");
    char value[8] = "x";
    EXPECT_EQ(FindSettingValue("text=;", "text", value, sizeof value), 0);
    EXPECT_STREQ(value, "");
    EXPECT_EQ(FindSettingValue("text=a", nullptr, value, sizeof value), 0);
    // An over-long value is cut in bytes to the buffer, never past it.
    EXPECT_EQ(FindSettingValue("text=abcdefghij", "text", value, sizeof value), 7);
    EXPECT_STREQ(value, "abcdefg");
}

TEST(SettingText, AppliesKeysToSettingsPlayersAndSites) {
    const Applied a("isLink=2;isChange=-1;isUpload=0x5;m1_w=-40;m1_h=12px;m1_top=;"
                    "m0_t=\xC4\xE3\xBA\xC3\xC4\xE3\xBA\xC3\xC4\xE3\xBA\xC3\xC4\xE3\xBA\xC3;"
                    "shouye_url=file:///etc/passwd;"
                    "ku3=\xBF\xE1\tHttp://ku.example/\tx\r\n"
                    "sou0=NoTab;sou1=Empty\t;you11=Eleven\thttp://e/;you1=One\thttp://o/;");
    EXPECT_EQ(a.settings.isLink, 1);
    EXPECT_EQ(a.settings.isChange, 1);
    EXPECT_EQ(a.settings.isUpload, 0) << "digits end at the first other character";
    EXPECT_EQ(int(a.players[1].width), -40);
    EXPECT_EQ(int(a.players[1].height), 12);
    EXPECT_EQ(int(a.players[1].top), int(BuiltInRecommendedPlayers()[1].top)) << "empty keeps";
    // 16 bytes of text into a 16-byte field: 15 kept, a double-byte character split.
    EXPECT_EQ(std::strlen(a.players[0].title), 15u);
    EXPECT_STREQ(a.settings.startPageUrl, "http://site.example/") << "only web start pages";
    const auto& ku = a.catalogue.Group(SiteGroup::ku);
    EXPECT_EQ(ku[3].label, "\xBF\xE1");
    EXPECT_EQ(ku[3].url, "Http://ku.example/\tx");
    EXPECT_TRUE(ku[2].url.empty());
    const auto& sou = a.catalogue.Group(SiteGroup::sou);
    const SiteCatalogue builtIn = Applied("").catalogue;
    EXPECT_EQ(sou[0].label, builtIn.Group(SiteGroup::sou)[0].label) << "no tab: ignored";
    EXPECT_EQ(sou[1].label, "Empty");
    EXPECT_TRUE(sou[1].url.empty()) << "no URL hides the entry";
    EXPECT_EQ(a.catalogue.Group(SiteGroup::you)[1].label, "One");
    EXPECT_EQ(a.catalogue.Group(SiteGroup::you)[11].label, "Eleven");

    // An empty body changes nothing.
    const Applied empty("");
    const RemoteSettings defaults = DefaultRemoteSettings("http://site.example/");
    EXPECT_EQ(std::memcmp(&empty.settings, &defaults, sizeof defaults), 0);
    EXPECT_EQ(std::string(empty.players[0].url), std::string(BuiltInRecommendedPlayers()[0].url));
}
