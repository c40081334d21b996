#pragma once
// The one dispatcher every menu item, button and toolbar slot acts through. A control
// offers a command by carrying its number in the "Tag" property; the dispatcher finds the
// offering controls by Tag each time, so controls whose Tag changes (the toolbar slots)
// are always in step.
#include <QList>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "core/base/CommandControl.h"

class QAction;
class QAbstractButton;

class CommandDispatcher : public QObject, public CommandControl {
    Q_OBJECT
public:
    using Operation = std::function<void(QObject* sender)>;

    explicit CommandDispatcher(QObject* parent = nullptr);

    // The owner of a command gives its operation; a command without one does nothing. The
    // operation may ask which control raised the command (nullptr for none).
    void setOperation(Command command, Operation operation);
    void setOperation(Command command, std::function<void()> operation) override;

    // Runs the command and returns when it is done. An error ends the outermost command and
    // is shown once; inside a command that another one raised it travels to that one.
    void ExecuteCommand(Command command, QObject* sender);
    void ExecuteCommand(Command command) override { ExecuteCommand(command, nullptr); }
    // Runs an entry point's work (a timer tick) as an outermost command would run: commands
    // it raises let their errors travel back to it, and report gets the text of the error
    // that ended it (instead of a box shown at once).
    void RunGuarded(const std::function<void()>& work, const std::function<void(const std::string&)>& report);
    // Runs the command a Tag carries (low 7 bits of its low byte); a Tag that carries no
    // command does nothing.
    void ExecuteTag(int tag, QObject* sender = nullptr);

    // Enables or greys every control offering the command.
    void SetCommandEnabled(Command command, bool enabled) override;

    // A menu item, button or label that offers the command in its Tag. Menu items and
    // buttons raise it when triggered; labels
    // only follow the enabled state.
    void addOfferer(QAction* item);
    void addOfferer(QAbstractButton* button);
    void addFollower(QObject* control);

    static int tagOf(const QObject* control);
    static void setTag(QObject* control, int tag);
    static void setTag(QObject* control, Command command) { setTag(control, CommandNumber(command)); }

    // Whether a control offering the command is enabled (the menus' state).
    bool isCommandEnabled(Command command) const;

    // Everything that offers the command now (for tests and the hint code).
    QList<QObject*> offerersOf(Command command) const;

private:
    void runItemCommand(QAction* item);
    void runButtonCommand(QAbstractButton* button);

    std::map<Command, Operation> operations;
    QList<QPointer<QObject>> offerers;
    int depth = 0;
};
