#pragma once
// Menus built from the command table: every item offers its command through the dispatcher
// (its number in the item's Tag), named and captioned as the table gives it.
class CommandDispatcher;
class QMenu;
class QMenuBar;
class QWidget;
struct MenuEntry;

// The main menu bar, left to right, with the command standing on the bar itself.
void AddCommandMenus(QMenuBar& bar, CommandDispatcher& commands);
// A popup menu of the table (the file manager's or the queue's).
QMenu* MakeCommandPopup(const MenuEntry& entry, CommandDispatcher& commands, QWidget* parent);
