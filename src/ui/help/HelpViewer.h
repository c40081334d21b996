#pragma once
// The help window as the rest of the program sees it. The window itself lives in a module of
// its own (libsonorail-help.so) with Qt Help, its SQL driver and its search index behind it;
// the module is opened at the first help request, so start-up does not pay for any of that.
#include <QString>

class QWidget;

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Shows the help window for one request: a help command code (HelpCommand) and its data
    // (the topic number of HELP_CONTEXT).
    virtual void showHelp(QWidget* owner, unsigned command, unsigned long data) = 0;
};

// What the help window reads and writes: the compiled book, read-only wherever it is
// installed, and a collection file in a writable place, which records the book and keeps
// the full-text index beside it.
struct HelpViewerFiles {
    QString book;
    QString collection;
};

// The module's one entry point: a viewer of the book, or nullptr with the reason in error.
using CreateHelpViewerFunction = HelpViewer* (*)(const HelpViewerFiles& files, QString& error);
inline constexpr const char* kCreateHelpViewerEntry = "sonorail_create_help_viewer";
inline constexpr const char* kHelpModuleName = "libsonorail-help.so";
