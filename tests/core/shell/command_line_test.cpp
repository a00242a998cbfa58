#include <gtest/gtest.h>

#include "core/shell/command_line.h"

namespace {

CommandLine Parse(std::vector<std::string> arguments) {
    return ParseCommandLine(arguments);
}

TEST(ParseCommandLine, ActionsAmongTheToolkitsAndTheEnginesOwnSwitches) {
    EXPECT_EQ(Parse({}).action, StartAction::Restore);
    const CommandLine lock = Parse({"--no-sandbox", "-platform", "xcb", "--lock", "-style=fusion"});
    EXPECT_TRUE(lock.valid);
    EXPECT_EQ(lock.action, StartAction::Lock);
    const CommandLine favorites =
        Parse({"--favorites", "--webEngineArgs", "--anything-the-engine-knows", "x"});
    EXPECT_TRUE(favorites.valid);
    EXPECT_EQ(favorites.action, StartAction::Favorites);
}

TEST(ParseCommandLine, RefusesWhatItDoesNotKnow) {
    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"--favourites"},
                                               {"lock"},
                                               {"--lock", "--favorites"},
                                               {"-no-sandbox"},
                                               {"--lock", "-platform"},
                                               {"-"}})
        EXPECT_FALSE(Parse(wrong).valid) << wrong.front();
}

} // namespace
