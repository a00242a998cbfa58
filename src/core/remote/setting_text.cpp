#include "core/remote/setting_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/shell/open_address.h"
#include "core/text/gbk_text.h"

namespace {

// An optional sign and the digits after it; no digits is 0. Kept within
// int32, so no value from the site can overflow.
int32_t ToInteger(const char* value) {
    const char* p = value;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    int64_t number = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        number = std::min<int64_t>(number * 10 + (*p - '0'), int64_t{INT32_MAX} + 1);
    number = negative ? -number : std::min<int64_t>(number, INT32_MAX);
    return static_cast<int32_t>(number);
}

// One key: calls apply with the value when the key has a non-empty one.
template <typename Apply> void WithValue(std::string_view text, const char* key, Apply apply) {
    char value[kSettingValueCapacity];
    if (FindSettingValue(text, key, value, sizeof value) > 0)
        apply(value);
}

void Flag(std::string_view text, const char* key, uint8_t& target) {
    WithValue(text, key, [&](const char* v) { target = ToInteger(v) != 0 ? 1 : 0; });
}

// Player slots are packed as in the data file, so their integers are set by
// value, never through a reference.
template <typename Set> void Integer(std::string_view text, const std::string& key, Set set) {
    WithValue(text, key.c_str(), [&](const char* v) { set(ToInteger(v)); });
}

void Text(std::string_view text, const char* key, char* field, std::size_t width) {
    WithValue(text, key, [&](const char* v) { CopyField(field, width, v); });
}

} // namespace

int FindSettingValue(std::string_view text, const char* key, char* value, std::size_t capacity) {
    if (key == nullptr || value == nullptr || capacity == 0)
        return 0;
    const std::string search = std::string(key) + "=";
    const std::size_t at = text.find(search);
    if (at == std::string_view::npos)
        return 0;
    std::size_t length = 0;
    for (std::size_t i = at + search.size(); i < text.size(); ++i) {
        const char c = text[i];
        if (c == ';' || c == '\r' || c == '\n')
            break;
        if (c != ' ' && length + 1 < capacity)
            value[length++] = c;
    }
    value[length] = '\0';
    return static_cast<int>(length);
}

void ParseSiteList(std::string_view text, SiteCatalogue& catalogue, SiteGroup group, int count) {
    std::vector<Site>& sites = catalogue.Group(group);
    for (int n = 0; n < count && n < static_cast<int>(sites.size()); ++n) {
        char key[16];
        std::snprintf(key, sizeof key, "%s%d", GroupKey(group), n);
        char value[kSiteValueCapacity];
        const int length = FindSettingValue(text, key, value, sizeof value);
        const char* tab =
            length > 0 ? static_cast<const char*>(std::memchr(value, '\t', length)) : nullptr;
        if (tab == nullptr)
            continue;
        const std::string_view whole(value, length);
        const std::size_t split = tab - value;
        sites[n].url = std::string(whole.substr(split + 1));
        sites[n].label = std::string(whole.substr(0, split));
    }
}

void ApplySettingText(std::string_view text, RemoteSettings& settings,
                      std::array<PlayerSlot, kPlayerSlotCount>& recommendedPlayers,
                      SiteCatalogue& catalogue) {
    Flag(text, "isChange", settings.isChange);
    // Judged as it will stand in its field, after the cut.
    WithValue(text, "shouye_url", [&](const char* v) {
        char cut[sizeof settings.startPageUrl];
        CopyField(cut, sizeof cut, v);
        if (JudgeBrowserAddress(cut, "") == BrowserAddress::Web)
            std::memcpy(settings.startPageUrl, cut, sizeof cut);
    });
    Flag(text, "isUpload", settings.isUpload);
    Text(text, "ip", settings.ip, sizeof settings.ip);
    for (int i = 0; i < kPlayerSlotCount; ++i) {
        PlayerSlot& slot = recommendedPlayers[i];
        const auto key = [i](const char* field) {
            char name[16];
            std::snprintf(name, sizeof name, "m%d_%s", i, field);
            return std::string(name);
        };
        Text(text, key("u").c_str(), slot.url, sizeof slot.url);
        Text(text, key("t").c_str(), slot.title, sizeof slot.title);
        Integer(text, key("w"), [&](int32_t v) { slot.width = v; });
        Integer(text, key("h"), [&](int32_t v) { slot.height = v; });
        Integer(text, key("top"), [&](int32_t v) { slot.top = v; });
    }
    Flag(text, "isLink", settings.isLink);
    Text(text, "text", settings.text, sizeof settings.text);
    Text(text, "link_url", settings.link_url, sizeof settings.link_url);
    for (SiteGroup group :
         {SiteGroup::ku, SiteGroup::cha, SiteGroup::sou, SiteGroup::ying, SiteGroup::you})
        ParseSiteList(text, catalogue, group, group == SiteGroup::you ? 12 : 10);
}
