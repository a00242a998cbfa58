#pragma once
// The built-in lists of well-known sites behind the tray submenus. The
// product site's settings may replace any entry for the run; nothing here is
// stored.

#include <array>
#include <string>
#include <vector>

#include "core/store/store_layout.h"

struct Site {
    std::string label; // GBK
    std::string url;   // GBK; empty or blank: an empty slot
};

enum class SiteGroup { sou, cha, ying, you, ku };
constexpr std::array<SiteGroup, 5> kSiteGroups = {SiteGroup::sou, SiteGroup::cha, SiteGroup::ying,
                                                  SiteGroup::you, SiteGroup::ku};

class SiteCatalogue {
public:
    SiteCatalogue();
    std::vector<Site>& Group(SiteGroup group) { return groups_[static_cast<int>(group)]; }
    const std::vector<Site>& Group(SiteGroup group) const {
        return groups_[static_cast<int>(group)];
    }

private:
    std::array<std::vector<Site>, 5> groups_;
};

// The key of a group in the settings file ("sou", "cha", "ying", "you", "ku").
const char* GroupKey(SiteGroup group);

// Puts the built-in sites in place; `productSite` is the base address of the
// product site, whose own pages some entries name.
void FillSiteCatalogue(SiteCatalogue& catalogue, const std::string& productSite);

// What a menu entry shows: hidden entries keep their old caption.
struct EntryState {
    bool visible = false;
    std::string caption; // meaningful only when visible
};
// A site is offered when its trimmed address is not empty; its label is shown as it is.
EntryState SiteEntryState(const Site& site);
// A quick link is offered when its address is not empty, blanks included.
EntryState QuickLinkEntryState(const QuickLink& link);

// The address a click opens, or empty for nothing: sites trimmed, quick links
// as the user typed them, with or without a scheme (TypedAddress).
std::string SiteAddressToOpen(const Site& site);
std::string QuickLinkAddressToOpen(const QuickLink& link);
