#pragma once
// The personal start page mine.htm: a navigation table of the categories and
// one section of links per category, as GBK bytes without line breaks.

#include <string>

#include "core/store/store.h"

// The whole page. Names, titles and addresses are HTML-escaped, so a crafted
// title cannot put markup or script into the page.
std::string BuildStartPage(const Store& store, bool withLogo, const std::string& siteUrl);

// Writes folder/mine.htm, with the logo when folder/tavinor_logo.jpg exists.
// The page replaces an earlier one only once it is completely written.
// 0, or -1 when the file could not be written.
int GenerateStartPage(const Store& store, const std::string& folder, const std::string& siteUrl);
