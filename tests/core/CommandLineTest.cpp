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

TEST(PlayModes, CombinationsThatCanStand)
{
    PlayModes modes;
    modes.setChecked(PlayMode::Continuous, true);
    modes.setChecked(PlayMode::Backwards, true);
    EXPECT_TRUE(modes.checked(PlayMode::Continuous));
    EXPECT_TRUE(modes.checked(PlayMode::Backwards));

    modes.setChecked(PlayMode::Random, true);  // unchecks Backwards, keeps Continuous
    EXPECT_TRUE(modes.checked(PlayMode::Random));
    EXPECT_FALSE(modes.checked(PlayMode::Backwards));
    EXPECT_TRUE(modes.checked(PlayMode::Continuous));

    modes.setChecked(PlayMode::Intro, true);
    modes.setChecked(PlayMode::Shuffle, true);  // stands alone, but with Intro
    EXPECT_TRUE(modes.checked(PlayMode::Shuffle));
    EXPECT_TRUE(modes.checked(PlayMode::Intro));
    EXPECT_FALSE(modes.checked(PlayMode::Random));
    EXPECT_FALSE(modes.checked(PlayMode::Continuous));

    modes.setChecked(PlayMode::Continuous, true);
    EXPECT_FALSE(modes.checked(PlayMode::Shuffle));
}

TEST(PlayModes, ReportsEveryBoxThatChangesAndNothingElse)
{
    PlayModes modes;
    std::vector<std::pair<PlayMode, bool>> changes;
    modes.onChanged = [&](PlayMode mode, bool on) { changes.emplace_back(mode, on); };
    modes.setChecked(PlayMode::Backwards, true);
    modes.setChecked(PlayMode::Backwards, true);  // already checked: nothing
    modes.setChecked(PlayMode::Shuffle, true);
    modes.setChecked(PlayMode::Shuffle, false);  // unchecking changes nothing else
    EXPECT_EQ(changes, (std::vector<std::pair<PlayMode, bool>>{{PlayMode::Backwards, true},
                                                               {PlayMode::Shuffle, true},
                                                               {PlayMode::Backwards, false},
                                                               {PlayMode::Shuffle, false}}));
}

}  // namespace
