#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/playback/PlayModes.h"

namespace {

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
