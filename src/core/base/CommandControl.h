#pragma once
// What the core asks of the one command dispatcher: an operation for each command it owns,
// commands run the way the user runs them, and everything that offers a command greyed or
// enabled at once.
#include <functional>

#include "core/base/Command.h"

class CommandControl {
public:
    virtual ~CommandControl() = default;

    // The owner of a command gives its operation; a command without one does nothing.
    virtual void setOperation(Command command, std::function<void()> operation) = 0;
    // Runs the command and returns when it is done. An error ends the outermost command and
    // is shown once; inside a command that another one raised it travels to that one.
    virtual void ExecuteCommand(Command command) = 0;
    // Greys or enables every control offering the command.
    virtual void SetCommandEnabled(Command command, bool enabled) = 0;

    // Commands that go nowhere: a session's in tests that leave the dispatcher out.
    static CommandControl& none()
    {
        struct Nowhere final : CommandControl {
            void setOperation(Command, std::function<void()>) override {}
            void ExecuteCommand(Command) override {}
            void SetCommandEnabled(Command, bool) override {}
        };
        static Nowhere nowhere;
        return nowhere;
    }
};
