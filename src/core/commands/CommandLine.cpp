#include "core/commands/CommandLine.h"

#include <optional>

#include "core/playback/PlayModes.h"

const char* const kCommandLineOptionsText =
    "Command Line Options\n\r\n\r/b - Backwards playing\n\r/c - Continuous playing\n\r/r - Random playing\n\r"
    "/s - Shuffle playing\n\r\n\r/m - Minimize window";

namespace {

std::optional<CommandLineAction> actionForSwitch(char letter)
{
    switch (letter) {
        case 'b':
            return CommandLineAction::CheckBackwards;
        case 'c':
            return CommandLineAction::CheckContinuous;
        case 'r':
            return CommandLineAction::CheckRandom;
        case 's':
            return CommandLineAction::CheckShuffle;
        case 'm':
            return CommandLineAction::StartMinimised;
        case '?':
            return CommandLineAction::ShowOptions;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::vector<CommandLineAction> ParseCommandLine(const std::vector<std::string>& arguments)
{
    std::vector<CommandLineAction> actions;
    for (const std::string& argument : arguments) {
        if (argument.size() != 2)
            continue;
        if (auto action = actionForSwitch(argument[1]))
            actions.push_back(*action);
    }
    return actions;
}

std::vector<std::string> CommandLineFiles(const std::vector<std::string>& arguments)
{
    std::vector<std::string> files;
    for (const std::string& argument : arguments) {
        if (argument.size() > 2)
            files.push_back(argument);
    }
    return files;
}

bool ApplyPlayModeSwitch(CommandLineAction action, PlayModes& modes)
{
    switch (action) {
        case CommandLineAction::CheckBackwards:
            modes.setChecked(PlayMode::Backwards, true);
            return true;
        case CommandLineAction::CheckContinuous:
            modes.setChecked(PlayMode::Continuous, true);
            return true;
        case CommandLineAction::CheckRandom:
            modes.setChecked(PlayMode::Random, true);
            return true;
        case CommandLineAction::CheckShuffle:
            modes.setChecked(PlayMode::Shuffle, true);
            return true;
        default:
            return false;
    }
}
