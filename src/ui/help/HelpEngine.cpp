#include "ui/help/HelpEngine.h"

#include <QFile>

#include "core/base/ProgramPaths.h"

namespace {

// In use while no help viewer is installed: a help request then shows nothing.
class NoHelpViewer final : public HelpEngine {
public:
    void WinHelp(QWidget*, const QString&, unsigned, unsigned long) override {}
};

NoHelpViewer noHelpViewer;
HelpEngine* installedEngine = &noHelpViewer;

}  // namespace

HelpEngine& HelpEngine::current() { return *installedEngine; }

void HelpEngine::install(HelpEngine* engine) { installedEngine = engine ? engine : &noHelpViewer; }

void HelpEngine::ShowHelp(QWidget* owner, unsigned command, unsigned long data)
{
    const std::string book = CurrentProgramPaths().dataFile(kHelpFileName);
    current().WinHelp(owner, QFile::decodeName(QByteArray::fromStdString(book)), command, data);
}
