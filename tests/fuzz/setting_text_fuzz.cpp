// setting.txt is whatever the product site sends: any bytes apply without
// overrunning a field, every text field stays terminated, the start page stays
// a web address, and no site list changes its length.
#include <cstring>
#include <string_view>

#include "core/remote/setting_text.h"
#include "core/shell/open_address.h"
#include "fuzz/fuzz_check.h"

namespace {

template <std::size_t N> void CheckTerminated(const char (&field)[N]) {
    FUZZ_CHECK(std::memchr(field, '\0', N) != nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    RemoteSettings settings = DefaultRemoteSettings("http://site.example/");
    std::array<PlayerSlot, kPlayerSlotCount> players = BuiltInRecommendedPlayers();
    SiteCatalogue catalogue;
    FillSiteCatalogue(catalogue, "http://site.example");
    ApplySettingText(text, settings, players, catalogue);

    FUZZ_CHECK(settings.isChange <= 1 && settings.isUpload <= 1 && settings.isLink <= 1);
    CheckTerminated(settings.startPageUrl);
    CheckTerminated(settings.ip);
    CheckTerminated(settings.text);
    CheckTerminated(settings.link_url);
    FUZZ_CHECK(JudgeBrowserAddress(settings.startPageUrl, "") == BrowserAddress::Web);
    for (const PlayerSlot& slot : players) {
        CheckTerminated(slot.url);
        CheckTerminated(slot.title);
    }
    for (SiteGroup group : kSiteGroups) {
        const auto& sites = catalogue.Group(group);
        FUZZ_CHECK(sites.size() == (group == SiteGroup::you ? 12u : 10u));
        for (const Site& site : sites)
            FUZZ_CHECK(site.label.size() + site.url.size() < kSiteValueCapacity);
    }

    // A lone lookup never writes past the buffer it is given.
    char value[8];
    std::memset(value, 'x', sizeof value);
    const int length = FindSettingValue(text, "text", value, 4);
    FUZZ_CHECK(length >= 0 && length <= 3 && value[4] == 'x');
    return 0;
}
