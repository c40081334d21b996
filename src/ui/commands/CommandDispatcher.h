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

class QAction;
class QAbstractButton;

class CommandDispatcher : public QObject {
    Q_OBJECT
public:
    using Operation = std::function<void(QObject* sender)>;

    explicit CommandDispatcher(QObject* parent = nullptr);

    // The owner of a command gives its operation; a command without one does nothing.
    void setOperation(int number, Operation operation);

    // Runs the command of a Tag (low 7 bits of its low byte) and returns when it is done.
    // Unknown numbers do nothing. An error ends the outermost command and is shown once;
    // inside a command that another one raised it travels to that one.
    void ExecuteCommand(int tag, QObject* sender = nullptr);

    // Enables or greys every offering control whose Tag equals number.
    void SetCommandEnabled(int number, bool enabled);

    // A menu item, button or label that offers the command in its Tag. Menu items and
    // buttons raise it when triggered (the adapters of the design); labels only follow
    // the enabled state.
    void addOfferer(QAction* item);
    void addOfferer(QAbstractButton* button);
    void addFollower(QObject* control);

    static int tagOf(const QObject* control);
    static void setTag(QObject* control, int tag);

    // Whether a control offering the command is enabled (the menus' state).
    bool isCommandEnabled(int number) const;
    // Counts the calls of SetCommandEnabled, so a watcher can tell cheaply that nothing changed.
    std::uint64_t enabledGeneration() const { return enabledChanges; }

    // Everything that carries number now (for tests and the hint code).
    QList<QObject*> offerersOf(int number) const;

private:
    std::uint64_t enabledChanges = 0;
    void callfnexecutebymenu(QAction* item);
    void callfnexecutebybutton(QAbstractButton* button);

    std::map<int, Operation> operations;
    QList<QPointer<QObject>> offerers;
    int depth = 0;
};
