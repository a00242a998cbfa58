#include <cstdlib>
#include <ctime>
#ifdef _WIN32
#include <windows.h>
#endif

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

double ProcessorMs() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000.0; // 100 ns each
#else
    return 1000.0 * std::clock() / CLOCKS_PER_SEC;
#endif
}
