#include <gtest/gtest.h>

#include <set>

#include "core/files/FileTypeFilters.h"
#include "core/commands/CommandTable.h"
#include "core/base/IoErrorText.h"

namespace {

TEST(CommandTable, TagsCarryTheirCommandInTheLowSevenBits)
{
    EXPECT_EQ(CommandTable::commandFromTag(12), 12);
    EXPECT_EQ(CommandTable::commandFromTag(0x100 + 20), 20);
    EXPECT_EQ(CommandTable::commandFromTag(0x80 + 19), 19);
    EXPECT_FALSE(CommandTable::isCommand(CommandTable::commandFromTag(-1)));
    EXPECT_FALSE(CommandTable::isCommand(31));
    EXPECT_FALSE(CommandTable::isCommand(0));
    EXPECT_FALSE(CommandTable::isCommand(35));
}

TEST(CommandTable, EveryMenuItemOffersACommandWithAHint)
{
    std::set<int> offered;
    auto collect = [&](const MenuEntry& menu) {
        for (const MenuItemEntry& item : menu.items) {
            if (item.command == 0)
                continue;
            EXPECT_TRUE(CommandTable::isCommand(item.command)) << item.caption;
            offered.insert(item.command);
        }
    };
    for (const MenuEntry& menu : CommandTable::mainMenus())
        collect(menu);
    collect(CommandTable::fileManagerPopup());
    collect(CommandTable::queuePopup());
    for (int number = 1; number <= 34; ++number) {
        if (!CommandTable::isCommand(number))
            continue;
        EXPECT_TRUE(offered.count(number)) << "no menu item offers command " << number;
        const CommandHintEntry& entry = CommandTable::hintEntry(number);
        EXPECT_LE(entry.Hint.size(), 90u);
        EXPECT_LE(entry.Caption.size(), 10u);
        EXPECT_GT(CommandTable::helpTopicOf(entry.Hint), 0) << number;
    }
}

TEST(CommandTable, HintsSplitIntoTopicAndStatusText)
{
    const CommandHintEntry& setup = CommandTable::hintEntry(18);
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

TEST(FileTypeFilters, MaskFollowsTheTableOrderWhateverThePanelShows)
{
    std::array<bool, kFileTypeFilterCount> all{};
    all.fill(true);
    EXPECT_EQ(BuildFileMask(all),
              "@@@@@._+_;*.mid;*.wav;*.avi;*.txt;*.bmp;*.ico;*.wmf;*.jpg;*.png;*.pcx;*.rtf");
    EXPECT_EQ(BuildFileMask({}), "@@@@@._+_");
    std::array<bool, kFileTypeFilterCount> some{};
    some[10] = some[1] = true;
    EXPECT_EQ(BuildFileMask(some), "@@@@@._+_;*.wav;*.rtf");
}

TEST(IoErrorText, SystemErrorsReadAsTheProgramsMessages)
{
    EXPECT_EQ(IoErrorText::forErrno(ENOENT), "File not found");
    EXPECT_EQ(IoErrorText::forErrno(EACCES), "File access denied");
    EXPECT_EQ(IoErrorText::forErrno(ENOSPC), "Disk full");
    EXPECT_EQ(IoErrorText::forErrno(EMFILE), "Too many open files");
    EXPECT_EQ(IoErrorText::forErrno(EIO), "I/O error 5");
    EXPECT_EQ(IoErrorText::notValidInteger("abc"), "'abc' is not a valid integer value");
}

}  // namespace
