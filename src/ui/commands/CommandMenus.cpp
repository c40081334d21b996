#include "ui/commands/CommandMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "core/commands/CommandTable.h"
#include "ui/commands/CommandDispatcher.h"

namespace {

QString text(std::string_view view) { return QString::fromLatin1(view.data(), static_cast<qsizetype>(view.size())); }

void addCommandItem(QWidget& menu, const MenuItemEntry& entry, Command command, CommandDispatcher& commands)
{
    auto* item = new QAction(text(entry.caption), &menu);
    item->setObjectName(text(entry.name));
    menu.addAction(item);
    CommandDispatcher::setTag(item, command);
    commands.addOfferer(item);
}

void addMenuItems(QMenu& menu, const MenuEntry& entry, CommandDispatcher& commands)
{
    menu.setObjectName(text(entry.name));
    for (const MenuItemEntry& item : entry.items) {
        if (item.command)
            addCommandItem(menu, item, *item.command, commands);
        else
            menu.addSeparator();
    }
}

}  // namespace

void AddCommandMenus(QMenuBar& bar, CommandDispatcher& commands)
{
    for (const MenuEntry& entry : CommandTable::mainMenus()) {
        if (entry.command)
            addCommandItem(bar, {entry.name, entry.caption}, *entry.command, commands);
        else
            addMenuItems(*bar.addMenu(text(entry.caption)), entry, commands);
    }
}

QMenu* MakeCommandPopup(const MenuEntry& entry, CommandDispatcher& commands, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    addMenuItems(*menu, entry, commands);
    return menu;
}
