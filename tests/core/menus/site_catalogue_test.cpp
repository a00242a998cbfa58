#include <cstring>
#include <gtest/gtest.h>

#include "core/menus/site_catalogue.h"

namespace {

const std::string kProduct = "http://127.0.0.1:8642";

int Offered(const SiteCatalogue& catalogue, SiteGroup group) {
    int count = 0;
    for (const Site& site : catalogue.Group(group))
        count += SiteEntryState(site).visible;
    return count;
}

std::string Host(const std::string& url) {
    const std::size_t start = url.find("://") + 3;
    return url.substr(0, url.find('/', start));
}

TEST(SiteCatalogue, BuiltInSitesFillTheirGroups) {
    SiteCatalogue catalogue;
    EXPECT_EQ(catalogue.Group(SiteGroup::you).size(), 12u);
    EXPECT_EQ(catalogue.Group(SiteGroup::ku).size(), 10u);
    FillSiteCatalogue(catalogue, kProduct);
    EXPECT_EQ(Offered(catalogue, SiteGroup::sou), 7);
    EXPECT_EQ(Offered(catalogue, SiteGroup::cha), 10);
    EXPECT_EQ(Offered(catalogue, SiteGroup::ying), 7);
    EXPECT_EQ(Offered(catalogue, SiteGroup::you), 10);
    EXPECT_EQ(Offered(catalogue, SiteGroup::ku), 0);

    for (SiteGroup group : kSiteGroups)
        for (const Site& site : catalogue.Group(group))
            EXPECT_TRUE(site.url.empty() || site.url.starts_with("http://")) << site.url;

    const auto& cha = catalogue.Group(SiteGroup::cha);
    EXPECT_EQ(cha[0].url.substr(Host(cha[0].url).size()), "/Domestic/SearchFlights.aspx");
    EXPECT_EQ(cha[2].url, kProduct + "/tianqi.htm");
    EXPECT_EQ(cha[3].url, kProduct + "/rili.htm");
    EXPECT_EQ(cha[9].url, kProduct + "/caijing.htm");
    EXPECT_EQ(catalogue.Group(SiteGroup::ying)[6].url, kProduct + "/xiaoyouxi.htm");
    EXPECT_EQ(Host(cha[4].url), Host(cha[6].url)) << "one look-up site";
    EXPECT_EQ(Host(cha[4].url), Host(cha[7].url));
    EXPECT_EQ(cha[7].url.substr(Host(cha[7].url).size()), "/weizhang.htm");
    EXPECT_EQ(catalogue.Group(SiteGroup::sou)[0].label, "\xB0\xD9\xB6\xC8"); // 百度
    EXPECT_EQ(catalogue.Group(SiteGroup::you)[5].label, "Hotmail");
    EXPECT_EQ(std::string(GroupKey(SiteGroup::ying)), "ying");
}

TEST(SiteCatalogue, RefreshAndClickRules) {
    // Blanks only: a site is an empty slot, a quick link is not.
    EXPECT_FALSE(SiteEntryState({"label", "   "}).visible);
    EXPECT_EQ(SiteAddressToOpen({"label", "   "}), "");
    QuickLink blanks{};
    std::strcpy(blanks.title, "mine");
    std::strcpy(blanks.url, "   ");
    EXPECT_TRUE(QuickLinkEntryState(blanks).visible);
    EXPECT_EQ(QuickLinkAddressToOpen(blanks), "") << "listed, but opens nothing";
    // Quick links are stored as typed: with or without a scheme, blanks around.
    std::strcpy(blanks.url, "www.example.test");
    EXPECT_EQ(QuickLinkAddressToOpen(blanks), "http://www.example.test");
    std::strcpy(blanks.url, "  http://example.test/  ");
    EXPECT_EQ(QuickLinkAddressToOpen(blanks), "http://example.test/");

    // An empty label with an address shows an empty caption; labels stay untrimmed.
    const EntryState unnamed = SiteEntryState({"", "http://a.example/"});
    EXPECT_TRUE(unnamed.visible);
    EXPECT_EQ(unnamed.caption, "");
    EXPECT_EQ(SiteEntryState({" x ", " http://a.example/ "}).caption, " x ");
    EXPECT_EQ(SiteAddressToOpen({" x ", " http://a.example/ "}), "http://a.example/");

    QuickLink none{};
    EXPECT_FALSE(QuickLinkEntryState(none).visible);
    EXPECT_EQ(QuickLinkAddressToOpen(none), "");
}

} // namespace
