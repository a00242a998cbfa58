#include <cstdlib>

#include "core/shell/site_address.h"

std::string ProductSiteBase() {
    const char* fromEnvironment = std::getenv("TAVINOR_SITE");
    std::string base = fromEnvironment && *fromEnvironment ? fromEnvironment : TAVINOR_SITE_URL;
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    return base;
}

std::string ProductSiteRoot() {
    return ProductSiteBase() + "/";
}
