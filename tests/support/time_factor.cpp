#include <cstdlib>

#include "support/time_factor.h"

namespace {
double Factor() {
    const char* text = std::getenv("TAVINOR_TEST_TIME_FACTOR");
    const double factor = text ? std::atof(text) : 1.0;
    return factor >= 1.0 ? factor : 1.0;
}
} // namespace

int Stretched(int ms) {
    static const double factor = Factor();
    return static_cast<int>(ms * factor);
}
