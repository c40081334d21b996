#pragma once
// The program's help system, asked with the old help-engine command codes and the
// help file's name. The help viewer installs itself as the engine in use.
#include <QString>

class QWidget;

namespace HelpCommand {
inline constexpr unsigned HELP_CONTEXT = 1;
inline constexpr unsigned HELP_HELPONHELP = 4;
inline constexpr unsigned HELP_FINDER = 11;
inline constexpr unsigned HELP_PARTIALKEY = 0x105;
}  // namespace HelpCommand

inline constexpr const char* kHelpFileName = "Sonorail3.hlp";

class HelpEngine {
public:
    virtual ~HelpEngine() = default;
    virtual void WinHelp(QWidget* owner, const QString& helpFile, unsigned command, unsigned long data) = 0;

    static HelpEngine& current();
    static void install(HelpEngine* engine);  // nullptr: no help viewer
};
