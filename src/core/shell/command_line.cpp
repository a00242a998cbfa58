#include "core/shell/command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

const char kUsageLine[] = "usage: tavinor [--favorites | --lock]\n";

namespace {

// The toolkit's options, with one or two leading dashes; these take the next
// argument (or "=value") as their value.
constexpr std::array<std::string_view, 14> kToolkitOptionsWithValue = {"platform",
                                                                       "platformpluginpath",
                                                                       "platformtheme",
                                                                       "plugin",
                                                                       "qwindowgeometry",
                                                                       "qwindowicon",
                                                                       "qwindowtitle",
                                                                       "display",
                                                                       "name",
                                                                       "title",
                                                                       "geometry",
                                                                       "style",
                                                                       "stylesheet",
                                                                       "session"};
constexpr std::array<std::string_view, 5> kToolkitFlags = {"reverse", "widgetcount", "nograb",
                                                           "dograb", "qmljsdebugger"};
// Switches of the web engine that people pass to work around a machine's
// graphics or to debug pages; everything after "--webEngineArgs" is the
// engine's as well.
constexpr std::array<std::string_view, 16> kEngineSwitches = {"no-sandbox",
                                                              "disable-gpu",
                                                              "disable-gpu-compositing",
                                                              "single-process",
                                                              "in-process-gpu",
                                                              "ignore-gpu-blocklist",
                                                              "enable-logging",
                                                              "disable-logging",
                                                              "log-level",
                                                              "v",
                                                              "remote-debugging-port",
                                                              "enable-features",
                                                              "disable-features",
                                                              "use-gl",
                                                              "force-device-scale-factor",
                                                              "disable-dev-shm-usage"};
constexpr std::string_view kEngineArgumentsMark = "--webEngineArgs";

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool actionGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == kEngineArgumentsMark)
            break;
        if (argument == "--favorites" || argument == "--lock") {
            if (actionGiven)
                return {false, StartAction::Restore};
            actionGiven = true;
            line.action = argument == "--lock" ? StartAction::Lock : StartAction::Favorites;
            continue;
        }
        if (argument.size() < 2 || argument[0] != '-')
            return {false, StartAction::Restore};
        const bool doubleDash = argument[1] == '-';
        std::string_view name = argument.substr(doubleDash ? 2 : 1);
        const std::size_t equals = name.find('=');
        const bool hasValue = equals != std::string_view::npos;
        name = name.substr(0, equals);
        if (Contains(kToolkitOptionsWithValue, name)) {
            if (!hasValue && ++i == arguments.size())
                return {false, StartAction::Restore};
        } else if (!Contains(kToolkitFlags, name) &&
                   !(doubleDash && Contains(kEngineSwitches, name))) {
            return {false, StartAction::Restore};
        }
    }
    return line;
}
