#pragma once
// Per-run values that the product site's settings file may replace; never stored.

#include <cstdint>
#include <string>

struct RemoteSettings {
    uint8_t isChange = 0;
    char startPageUrl[64]{}; // the product site's start page
    uint8_t isUpload = 0;
    char ip[32]{};
    uint8_t isLink = 0;
    char text[256]{};
    char link_url[128]{};
};

// The built-in values: the start page is the product site's root.
RemoteSettings DefaultRemoteSettings(const std::string& siteRoot);
