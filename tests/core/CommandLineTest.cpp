#include <gtest/gtest.h>

#include "core/playback/PlayModes.h"
#include "core/commands/CommandLine.h"

namespace {

// Applies the switches the way start-up does: each one checks its box through the
// exclusion rules, in argument order.
PlayModes modesAfter(const std::vector<std::string>& arguments)
{
    PlayModes modes;
    for (CommandLineAction action : ParseCommandLine(arguments))
        ApplyPlayModeSwitch(action, modes);
    return modes;
}

TEST(CommandLine, OnlyTheSecondCharacterOfATwoCharacterParameterCounts)
{
    for (const char* argument : {"/b", "-b", "xb"})
        EXPECT_TRUE(modesAfter({argument}).checked(PlayMode::Backwards)) << argument;
    for (const char* argument : {"/B", "/bb", "b", "", "/"})
        EXPECT_TRUE(ParseCommandLine({argument}).empty()) << argument;
}

TEST(CommandLine, EverySwitchHasItsAction)
{
    EXPECT_EQ(ParseCommandLine({"/c", "/r", "/s", "/m", "/?", "/x", "/b"}),
              (std::vector<CommandLineAction>{CommandLineAction::CheckContinuous, CommandLineAction::CheckRandom,
                                              CommandLineAction::CheckShuffle, CommandLineAction::StartMinimised,
                                              CommandLineAction::ShowOptions, CommandLineAction::CheckBackwards}));
}

TEST(CommandLine, LaterSwitchesUncheckTheModesTheyExclude)
{
    PlayModes backwardsThenShuffle = modesAfter({"/b", "/s"});
    EXPECT_TRUE(backwardsThenShuffle.checked(PlayMode::Shuffle));
    EXPECT_FALSE(backwardsThenShuffle.checked(PlayMode::Backwards));

    PlayModes shuffleThenBackwards = modesAfter({"/s", "/b"});
    EXPECT_TRUE(shuffleThenBackwards.checked(PlayMode::Backwards));
    EXPECT_FALSE(shuffleThenBackwards.checked(PlayMode::Shuffle));

    EXPECT_TRUE(modesAfter({"/b", "/b"}).checked(PlayMode::Backwards));
}

TEST(CommandLine, LongerArgumentsAreFilesAndSwitchesAreNot)
{
    EXPECT_EQ(CommandLineFiles({"/b", "a.mid", "", "x", "/music/b.wav", "-m"}),
              (std::vector<std::string>{"a.mid", "/music/b.wav"}));
}

TEST(CommandLine, OptionsTextKeepsItsLineFeedCarriageReturnPairs)
{
    EXPECT_EQ(std::string(kCommandLineOptionsText),
              "Command Line Options\n\r\n\r/b - Backwards playing\n\r/c - Continuous playing\n\r/r - Random playing"
              "\n\r/s - Shuffle playing\n\r\n\r/m - Minimize window");
}

}  // namespace
