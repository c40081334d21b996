#pragma once
// The program's own command-line switches: two characters, of which only the second
// counts ("/b", "-b" and "xb" alike), compared case-sensitively.
#include <string>
#include <vector>

enum class CommandLineAction {
    CheckBackwards,
    CheckContinuous,
    CheckRandom,
    CheckShuffle,
    StartMinimised,
    ShowOptions,
};

// The actions of the arguments (program name excluded), in argument order; anything
// else is ignored without a message.
std::vector<CommandLineAction> ParseCommandLine(const std::vector<std::string>& arguments);

class PlayModes;
// Checks the play mode a switch names (through the exclusion rules); false for the
// switches that name no mode.
bool ApplyPlayModeSwitch(CommandLineAction action, PlayModes& modes);

// The other arguments: files to add to the queue, in argument order.
std::vector<std::string> CommandLineFiles(const std::vector<std::string>& arguments);

// The text of the "/?" box.
extern const char* const kCommandLineOptionsText;
