#pragma once
// The product site: fixed when the program is built, overridable by the
// environment variable TAVINOR_SITE (a base address such as
// http://127.0.0.1:8642) for tests and the demo.

#include <string>

// The base address without a trailing slash.
std::string ProductSiteBase();

// The site's start page (the path "/"), as the program first shows it.
std::string ProductSiteRoot();
