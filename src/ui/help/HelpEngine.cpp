#include "ui/help/HelpEngine.h"

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
