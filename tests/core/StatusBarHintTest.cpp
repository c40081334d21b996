// The status bar's text and the windows' help context for the hint under the mouse.
#include <gtest/gtest.h>

#include <string>

#include "core/commands/CommandTable.h"
#include "core/help/StatusBarHint.h"

namespace {

const std::string_view kQueueHint = CommandTable::hintEntry(-11).Hint;

TEST(StatusBarHintTest, QueueHintWithAndWithoutTheF1ReminderOrHintsAtAll)
{
    const StatusBarHint both = StatusBarHint::of(kQueueHint, true, true);
    EXPECT_EQ(both.statusText, "The Multimedia Queue  {Press [F1] for Help}");
    EXPECT_EQ(both.helpContext, 44);

    const StatusBarHint noReminder = StatusBarHint::of(kQueueHint, true, false);
    EXPECT_EQ(noReminder.statusText, "The Multimedia Queue");
    EXPECT_EQ(noReminder.helpContext, 44);

    const StatusBarHint off = StatusBarHint::of(kQueueHint, false, true);
    EXPECT_FALSE(off.statusText) << "the status bar keeps its text";
    EXPECT_FALSE(off.helpContext) << "F1 keeps opening the last topic";
}

TEST(StatusBarHintTest, TextLongerThan80CharactersIsCutBeforeTheReminder)
{
    const std::string text(100, 'x');
    const StatusBarHint hint = StatusBarHint::of("Long|012" + text, true, true);
    EXPECT_EQ(hint.statusText, std::string(80, 'x') + "  {Press [F1] for Help}");
    EXPECT_EQ(StatusBarHint::of("Long|012" + std::string(80, 'y'), true, false).statusText, std::string(80, 'y'));
}

TEST(StatusBarHintTest, NoHintOrNoTextShowsASpaceAndAnUnreadableNumberClearsTheHelpContext)
{
    for (std::string_view hint : {"", "Short|044"}) {
        EXPECT_EQ(StatusBarHint::of(hint, true, true).statusText, " ") << hint;
        EXPECT_EQ(StatusBarHint::of(hint, true, true).helpContext, 0) << hint;
    }
    const StatusBarHint unreadable = StatusBarHint::of("Bad|x12Text", true, false);
    EXPECT_EQ(unreadable.statusText, "Text");
    EXPECT_EQ(unreadable.helpContext, 0);
}

}  // namespace
