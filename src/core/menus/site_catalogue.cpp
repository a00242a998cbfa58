
#include "core/menus/site_catalogue.h"
#include "core/shell/open_address.h"
#include "core/text/gbk_text.h"

namespace {

struct BuiltIn {
    SiteGroup group;
    const char* label; // GBK
    const char* host;  // empty: the product site
    const char* path;
};

// Labels are GBK bytes, as all text in the core.
const BuiltIn kBuiltIn[] = {
    {SiteGroup::sou, "\xB0\xD9\xB6\xC8", "www.baidu.com", "/"},         // 百度
    {SiteGroup::sou, "\xB9\xC8\xB8\xE8", "www.google.com", "/"},        // 谷歌
    {SiteGroup::sou, "\xD0\xC2\xC0\xCB", "www.sina.com.cn", "/"},       // 新浪
    {SiteGroup::sou, "\xCC\xDA\xD1\xB6", "www.qq.com", "/"},            // 腾讯
    {SiteGroup::sou, "\xCD\xF8\xD2\xD7", "www.163.com", "/"},           // 网易
    {SiteGroup::sou, "\xCB\xD1\xBA\xFC", "www.sohu.com", "/"},          // 搜狐
    {SiteGroup::sou, "\xB7\xEF\xBB\xCB\xCD\xF8", "www.ifeng.com", "/"}, // 凤凰网
    {SiteGroup::cha, "\xBA\xBD\xB0\xE0\xB2\xE9\xD1\xAF", "flights.ctrip.com",
     "/Domestic/SearchFlights.aspx"}, // 航班查询
    {SiteGroup::cha, "\xBB\xF0\xB3\xB5\xCA\xB1\xBF\xCC\xB2\xE9\xD1\xAF", "www.12306.cn", "/"},
    {SiteGroup::cha, "\xCC\xEC\xC6\xF8\xD4\xA4\xB1\xA8", "", "/tianqi.htm"},        // 天气预报
    {SiteGroup::cha, "\xCD\xF2\xC4\xEA\xC0\xFA", "", "/rili.htm"},                  // 万年历
    {SiteGroup::cha, "\xBF\xEC\xB5\xDD\xB2\xE9\xD1\xAF", "www.ip138.com", "/ems/"}, // 快递查询
    {SiteGroup::cha, "\xB2\xCA\xC6\xB1\xB2\xE9\xD1\xAF", "www.500.com", "/"},       // 彩票查询
    {SiteGroup::cha, "\xCA\xD6\xBB\xFA\xBA\xC5\xB2\xE9\xD1\xAF", "www.ip138.com", "/sj/"},
    {SiteGroup::cha, "\xBD\xBB\xCD\xA8\xCE\xA5\xD5\xC2", "www.ip138.com", "/weizhang.htm"},
    {SiteGroup::cha, "\xB5\xD8\xCD\xBC\xB2\xE9\xD1\xAF", "map.baidu.com", "/"},  // 地图查询
    {SiteGroup::cha, "\xB9\xC9\xC6\xB1\xB2\xE9\xD1\xAF", "", "/caijing.htm"},    // 股票查询
    {SiteGroup::ying, "\xC6\xE6\xD2\xD5\xB8\xDF\xC7\xE5", "www.iqiyi.com", "/"}, // 奇艺高清
    {SiteGroup::ying, "\xCB\xD1\xBA\xFC\xB8\xDF\xC7\xE5", "tv.sohu.com", "/hdtv/"},
    {SiteGroup::ying, "\xD3\xC5\xBF\xE1", "www.youku.com", "/"},                  // 优酷
    {SiteGroup::ying, "\xCD\xC1\xB6\xB9", "www.tudou.com", "/"},                  // 土豆
    {SiteGroup::ying, "\xD1\xB8\xC0\xD7\xBF\xB4\xBF\xB4", "www.kankan.com", "/"}, // 迅雷看看
    {SiteGroup::ying, "\xD2\xF4\xD4\xC3MV", "www.yinyuetai.com", "/"},            // 音悦MV
    {SiteGroup::ying, "\xD4\xDA\xCF\xDF\xD0\xA1\xD3\xCE\xCF\xB7", "", "/xiaoyouxi.htm"},
    {SiteGroup::you, "126\xD3\xCA\xCF\xE4", "www.126.com", "/"}, // 126邮箱
    {SiteGroup::you, "163\xD3\xCA\xCF\xE4", "mail.163.com", "/"},
    {SiteGroup::you, "\xD1\xC5\xBB\xA2\xD3\xCA\xCF\xE4", "mail.yahoo.com", "/"}, // 雅虎邮箱
    {SiteGroup::you, "\xD0\xC2\xC0\xCB\xD3\xCA\xCF\xE4", "mail.sina.com.cn", "/"},
    {SiteGroup::you, "QQ\xD3\xCA\xCF\xE4", "mail.qq.com", "/"},
    {SiteGroup::you, "Hotmail", "www.hotmail.com", "/"},
    {SiteGroup::you, "\xC8\xCB\xC8\xCB\xCD\xF8", "www.renren.com", "/"},        // 人人网
    {SiteGroup::you, "\xBF\xAA\xD0\xC4\xCD\xF8", "www.kaixin001.com", "/"},     // 开心网
    {SiteGroup::you, "\xD0\xC2\xC0\xCB\xCE\xA2\xB2\xA9", "weibo.com", "/"},     // 新浪微博
    {SiteGroup::you, "\xCC\xEC\xD1\xC4\xC9\xE7\xC7\xF8", "www.tianya.cn", "/"}, // 天涯社区
};

} // namespace

SiteCatalogue::SiteCatalogue() {
    for (SiteGroup group : kSiteGroups)
        Group(group).resize(group == SiteGroup::you ? 12 : 10);
}

const char* GroupKey(SiteGroup group) {
    static const char* const keys[] = {"sou", "cha", "ying", "you", "ku"};
    return keys[static_cast<int>(group)];
}

void FillSiteCatalogue(SiteCatalogue& catalogue, const std::string& productSite) {
    std::array<std::size_t, 5> next{};
    for (const BuiltIn& site : kBuiltIn) {
        const std::size_t position = next[static_cast<int>(site.group)]++;
        const std::string base = *site.host ? std::string("http://") + site.host : productSite;
        catalogue.Group(site.group)[position] = Site{site.label, base + site.path};
    }
}

EntryState SiteEntryState(const Site& site) {
    if (TrimBytes(site.url).empty())
        return {};
    return {true, site.label};
}

EntryState QuickLinkEntryState(const QuickLink& link) {
    if (link.url[0] == '\0')
        return {};
    return {true, FieldText(link.title, sizeof link.title)};
}

std::string SiteAddressToOpen(const Site& site) {
    return TrimBytes(site.url);
}

std::string QuickLinkAddressToOpen(const QuickLink& link) {
    return TypedAddress(FieldText(link.url, sizeof link.url));
}
