#include "ui/commands/CommandDispatcher.h"

#include <QAbstractButton>
#include <QAction>
#include <QVariant>
#include <QWidget>

#include "core/commands/CommandTable.h"
#include "core/base/GuardedCall.h"

namespace {
constexpr const char* kTagProperty = "Tag";

struct DepthCounter {
    explicit DepthCounter(int& depth) : depth(depth) { ++depth; }
    ~DepthCounter() { --depth; }
    int& depth;
};
}  // namespace

CommandDispatcher::CommandDispatcher(QObject* parent) : QObject(parent) {}

void CommandDispatcher::setOperation(Command command, Operation operation)
{
    operations[command] = std::move(operation);
}

void CommandDispatcher::setOperation(Command command, std::function<void()> operation)
{
    setOperation(command, [operation = std::move(operation)](QObject*) { operation(); });
}

void CommandDispatcher::ExecuteTag(int tag, QObject* sender)
{
    if (std::optional<Command> command = CommandTable::commandFromTag(tag))
        ExecuteCommand(*command, sender);
}

void CommandDispatcher::ExecuteCommand(Command command, QObject* sender)
{
    auto found = operations.find(command);
    if (found == operations.end())
        return;
    Operation operation = found->second;  // a command may replace operations while it runs
    if (depth > 0) {
        DepthCounter nested(depth);
        operation(sender);
        return;
    }
    DepthCounter outermost(depth);
    GuardedCall([&] { operation(sender); });
}

void CommandDispatcher::RunGuarded(const std::function<void()>& work,
                                   const std::function<void(const std::string&)>& report)
{
    DepthCounter entry(depth);
    GuardedCall(work, report);
}

void CommandDispatcher::SetCommandEnabled(Command command, bool enabled)
{
    for (const QPointer<QObject>& control : offerers) {
        if (!control || tagOf(control) != CommandNumber(command))
            continue;
        if (auto* item = qobject_cast<QAction*>(control))
            item->setEnabled(enabled);
        else if (auto* widget = qobject_cast<QWidget*>(control))
            widget->setEnabled(enabled);
    }
}

void CommandDispatcher::addOfferer(QAction* item)
{
    offerers.append(item);
    connect(item, &QAction::triggered, this, [this, item] { runItemCommand(item); });
}

void CommandDispatcher::addOfferer(QAbstractButton* button)
{
    offerers.append(button);
    connect(button, &QAbstractButton::clicked, this, [this, button] { runButtonCommand(button); });
}

void CommandDispatcher::addFollower(QObject* control) { offerers.append(control); }

void CommandDispatcher::runItemCommand(QAction* item)
{
    if (item->isEnabled())
        GuardedCall([&] { ExecuteTag(tagOf(item), item); });
}

void CommandDispatcher::runButtonCommand(QAbstractButton* button)
{
    if (button->isEnabled())
        GuardedCall([&] { ExecuteTag(tagOf(button), button); });
}

int CommandDispatcher::tagOf(const QObject* control) { return control->property(kTagProperty).toInt(); }

void CommandDispatcher::setTag(QObject* control, int tag) { control->setProperty(kTagProperty, tag); }

QList<QObject*> CommandDispatcher::offerersOf(Command command) const
{
    QList<QObject*> result;
    for (const QPointer<QObject>& control : offerers) {
        if (control && tagOf(control) == CommandNumber(command))
            result.append(control);
    }
    return result;
}

bool CommandDispatcher::isCommandEnabled(Command command) const
{
    for (QObject* control : offerersOf(command)) {
        if (control->property("enabled").toBool())
            return true;
    }
    return false;
}
