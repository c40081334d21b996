#pragma once
// The program's numbered commands and the tables that every menu, button, toolbar slot,
// hint and help topic is built from. One table; the windows only read it.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/base/Command.h"

// Hint, help topic and toolbar caption of a command or of a help area (the negative Tags).
// "Title|NNNStatus-bar text": NNN is the help topic.
struct CommandHintEntry {
    std::uint8_t Number = 0;
    std::string_view Hint;
    std::string_view Caption;  // under a toolbar button, at most 10 characters
};

// One entry of a menu: a command item, or a separator when it has no command.
struct MenuItemEntry {
    std::string_view name;     // object name of the menu item
    std::string_view caption;  // with its "&" mnemonic
    std::optional<Command> command = std::nullopt;
};

struct MenuEntry {
    std::string_view name;
    std::string_view caption;
    std::span<const MenuItemEntry> items;
    std::optional<Command> command = std::nullopt;  // a command item standing on the menu bar itself ("E&xit!")
};

namespace CommandTable {

inline constexpr int kLowestIndex = HelpAreaTag(HelpArea::ToolbarDisplayToggle);
inline constexpr int kHighestIndex = CommandNumber(Command::TipOfTheDay);

// Whether the number is a command's (one of Command); every other number is none.
bool isCommand(int number);
// Every command, in the order of their numbers.
std::span<const Command> allCommands();

// The command a Tag carries in the low 7 bits of its low byte; none when those bits are no
// command's number (a negative Tag carries none).
std::optional<Command> commandFromTag(int tag);

// The entry of a help area's Tag or a command's number, kLowestIndex to kHighestIndex; an
// empty entry for any other index and for numbers without a row.
const CommandHintEntry& hintEntry(int index);
const CommandHintEntry& hintEntry(Command command);

// The long part of a hint (after "|"), its help topic (first three digits, 0 when unreadable)
// and its status-bar text (from the fourth character on).
std::string_view longHint(std::string_view hint);
int helpTopicOf(std::string_view hint);
std::string_view statusTextOf(std::string_view hint);

// The main menu bar, left to right; the two popup menus of the lists.
std::span<const MenuEntry> mainMenus();
const MenuEntry& fileManagerPopup();
const MenuEntry& queuePopup();

}  // namespace CommandTable
