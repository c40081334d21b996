#pragma once
// The program's help engine: the help book in the help window. The window's module, and Qt
// Help with it, is opened at the first help request; a start-up that asks for no help never
// loads it.
#include <QLibrary>
#include <QString>
#include <memory>

#include "ui/help/HelpEngine.h"
#include "ui/help/HelpViewer.h"

class HelpBookEngine final : public HelpEngine {
public:
    // moduleFile: the help window's module (libsonorail-help.so); collectionDirectory: a
    // writable folder for the collection that records the book and its search index.
    HelpBookEngine(QString moduleFile, QString collectionDirectory);
    ~HelpBookEngine() override;

    // Shows helpFile (the compiled book, sonorail.qch) in the help window. A missing or
    // unreadable book, or a module that cannot be opened, raises the error naming the file.
    void WinHelp(QWidget* owner, const QString& helpFile, unsigned command, unsigned long data) override;

    // The module beside the program (a build tree, a portable folder), else where an
    // installed program keeps it (PREFIX/lib/.../sonorail).
    static QString moduleFileFor(const QString& executableDirectory);

    // True once this engine has opened the help window's module.
    bool moduleLoaded() const { return createViewer != nullptr; }

private:
    HelpViewer& viewerOf(const QString& helpFile);
    CreateHelpViewerFunction loadModule();

    QLibrary module;
    CreateHelpViewerFunction createViewer = nullptr;
    QString collectionFile;
    std::unique_ptr<HelpViewer> viewer;
    QString viewerBook;  // the book the viewer shows
};
