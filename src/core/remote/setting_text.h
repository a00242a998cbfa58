#pragma once
// Reading the product site's setting.txt: a free text of key=value settings,
// found wherever they stand, applied over the run's built-in values.

#include <array>
#include <cstddef>
#include <string_view>

#include "core/menus/site_catalogue.h"
#include "core/music/player_tables.h"
#include "core/remote/remote_settings.h"

// Capacities of the buffers a value is read into, terminating NUL included.
constexpr std::size_t kSettingValueCapacity = 256;
constexpr std::size_t kSiteValueCapacity = 512;

// Finds the first "key=" anywhere in text and writes what follows, up to ";",
// CR, LF or the end, without its spaces, into value (capacity bytes, NUL
// included; a longer value is cut in bytes). Returns the bytes written; 0,
// touching nothing, when key or value is missing or "key=" does not occur.
int FindSettingValue(std::string_view text, const char* key, char* value, std::size_t capacity);

// Replaces sites 0 .. count - 1 of the group with the values of the keys
// "<group key><n>": label, a tab, then the URL. A value without a tab cannot
// be split and leaves its site as it was.
void ParseSiteList(std::string_view text, SiteCatalogue& catalogue, SiteGroup group, int count);

// Applies every key in its order; absent and empty values keep their target.
// A start page that is not a web address is not taken, since it is loaded
// into a pane as it stands.
void ApplySettingText(std::string_view text, RemoteSettings& settings,
                      std::array<PlayerSlot, kPlayerSlotCount>& recommendedPlayers,
                      SiteCatalogue& catalogue);
