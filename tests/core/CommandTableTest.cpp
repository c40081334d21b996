#include <gtest/gtest.h>

#include <set>

#include "core/commands/CommandTable.h"

namespace {

TEST(CommandTable, TagsCarryTheirCommandInTheLowSevenBits)
{
    EXPECT_EQ(CommandTable::commandFromTag(12), Command::AddToQueue);
    EXPECT_EQ(CommandTable::commandFromTag(0x100 + 20), Command::Play);
    EXPECT_EQ(CommandTable::commandFromTag(0x80 + 19), Command::Exit);
    EXPECT_FALSE(CommandTable::commandFromTag(-1));
    EXPECT_FALSE(CommandTable::commandFromTag(31));
    EXPECT_FALSE(CommandTable::isCommand(31));
    EXPECT_FALSE(CommandTable::isCommand(0));
    EXPECT_FALSE(CommandTable::isCommand(35));
}

TEST(CommandTable, EveryMenuItemOffersACommandWithAHint)
{
    std::set<Command> offered;
    auto collect = [&](const MenuEntry& menu) {
        for (const MenuItemEntry& item : menu.items) {
            if (!item.command)
                continue;
            EXPECT_TRUE(CommandTable::isCommand(CommandNumber(*item.command))) << item.caption;
            offered.insert(*item.command);
        }
    };
    for (const MenuEntry& menu : CommandTable::mainMenus())
        collect(menu);
    collect(CommandTable::fileManagerPopup());
    collect(CommandTable::queuePopup());
    int commands = 0;
    for (int number = 1; number <= 34; ++number)
        commands += CommandTable::isCommand(number);
    EXPECT_EQ(commands, static_cast<int>(CommandTable::allCommands().size()));
    for (Command command : CommandTable::allCommands()) {
        const int number = CommandNumber(command);
        EXPECT_TRUE(CommandTable::isCommand(number));
        EXPECT_TRUE(offered.count(command)) << "no menu item offers command " << number;
        const CommandHintEntry& entry = CommandTable::hintEntry(command);
        EXPECT_EQ(entry.Number, number);
        EXPECT_LE(entry.Hint.size(), 90u);
        EXPECT_LE(entry.Caption.size(), 10u);
        EXPECT_GT(CommandTable::helpTopicOf(entry.Hint), 0) << number;
    }
}

TEST(CommandTable, HintsSplitIntoTopicAndStatusText)
{
    const CommandHintEntry& setup = CommandTable::hintEntry(Command::SetupOptions);
    EXPECT_EQ(CommandTable::helpTopicOf(setup.Hint), 8);
    EXPECT_EQ(CommandTable::statusTextOf(setup.Hint), "Changes setup options");
    EXPECT_EQ(CommandTable::helpTopicOf(CommandTable::hintEntry(-1).Hint), 48);
    EXPECT_EQ(CommandTable::helpTopicOf("no bar"), 0);
    EXPECT_EQ(CommandTable::helpTopicOf("Title|4x2text"), 0);
    EXPECT_TRUE(CommandTable::hintEntry(0).Hint.empty());
    EXPECT_TRUE(CommandTable::hintEntry(31).Hint.empty());
    EXPECT_TRUE(CommandTable::hintEntry(-13).Hint.empty());
    EXPECT_TRUE(CommandTable::hintEntry(35).Hint.empty());
}

}  // namespace
