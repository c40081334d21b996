#pragma once
// The program's help system, asked with the old help-engine command codes and the help
// book's name. The help window installs itself as the engine in use (HelpBookEngine).
#include <QString>

class QWidget;

namespace HelpCommand {
inline constexpr unsigned HELP_CONTEXT = 1;
inline constexpr unsigned HELP_HELPONHELP = 4;
inline constexpr unsigned HELP_FINDER = 11;
inline constexpr unsigned HELP_PARTIALKEY = 0x105;
}  // namespace HelpCommand

// The compiled help book, read-only data found like the other data files.
inline constexpr const char* kHelpFileName = "sonorail.qch";

class HelpEngine {
public:
    virtual ~HelpEngine() = default;
    virtual void WinHelp(QWidget* owner, const QString& helpFile, unsigned command, unsigned long data) = 0;

    static HelpEngine& current();
    static void install(HelpEngine* engine);  // nullptr: no help viewer

    // Asks the engine in use for the program's help book, with the window asking as owner.
    // A book that cannot be shown raises the error naming it.
    static void ShowHelp(QWidget* owner, unsigned command, unsigned long data = 0);
};
