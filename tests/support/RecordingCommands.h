#pragma once
// The command dispatcher as the session sees it: runs the operations it was given and notes,
// in order, each command run and each one greyed or enabled ("run 24", "grey 25").
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/base/CommandControl.h"

using CommandLog = std::vector<std::string>;

struct RecordingCommands final : CommandControl {
    explicit RecordingCommands(CommandLog& log) : log(log) {}

    void setOperation(Command command, std::function<void()> operation) override { operations[command] = operation; }
    void ExecuteCommand(Command command) override
    {
        log.push_back("run " + std::to_string(CommandNumber(command)));
        if (auto found = operations.find(command); found != operations.end())
            found->second();
    }
    void SetCommandEnabled(Command command, bool enabled) override
    {
        log.push_back((enabled ? "enable " : "grey ") + std::to_string(CommandNumber(command)));
    }

    CommandLog& log;
    std::map<Command, std::function<void()>> operations;
};
