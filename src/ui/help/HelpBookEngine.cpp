#include "ui/help/HelpBookEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/base/IoErrorText.h"
#include "core/base/ModuleFile.h"
#include "core/base/RegularFile.h"
#include "core/base/SonorailError.h"

namespace {

// Opened without blocking, and only a regular file: a named pipe at the book's place must
// not hang the request.
bool readableFile(const QString& path)
{
    return RegularFile::checkReadable(QFile::encodeName(path).toStdString()) == 0;
}

}  // namespace

HelpBookEngine::HelpBookEngine(QString moduleFile, QString collectionDirectory)
    : module(moduleFile), collectionFile(QDir(collectionDirectory).filePath(QStringLiteral("sonorail.qhc")))
{
}

// The window goes with the engine, while the application still runs. The module itself stays
// loaded (QLibrary does not unload it): Qt keeps pointers into it until the process ends.
HelpBookEngine::~HelpBookEngine()
{
    if (&HelpEngine::current() == this)
        HelpEngine::install(nullptr);
}

QString HelpBookEngine::moduleFileFor(const QString& executableDirectory)
{
    return QFile::decodeName(
        ModuleFile(QFile::encodeName(executableDirectory).toStdString(), SONORAIL_HELP_MODULE_FROM_BIN, kHelpModuleName)
            .c_str());
}

void HelpBookEngine::WinHelp(QWidget* owner, const QString& helpFile, unsigned command, unsigned long data)
{
    viewerOf(helpFile).showHelp(owner, command, data);
}

HelpViewer& HelpBookEngine::viewerOf(const QString& helpFile)
{
    // Checked at every request: the book may have gone since the window opened.
    if (!readableFile(helpFile))
        throw SonorailError(IoErrorText::cannotOpenFile(QFile::encodeName(helpFile).toStdString()));
    if (viewer && viewerBook == helpFile)
        return *viewer;
    QString error;
    std::unique_ptr<HelpViewer> created(loadModule()({helpFile, collectionFile}, error));
    if (!created)
        throw SonorailError(error.toStdString());
    viewer = std::move(created);
    viewerBook = helpFile;
    return *viewer;
}

CreateHelpViewerFunction HelpBookEngine::loadModule()
{
    if (createViewer)
        return createViewer;
    // The loader's own open would wait for ever on a named pipe in the module's place.
    if (!module.isLoaded() && QFileInfo::exists(module.fileName()) && !readableFile(module.fileName()))
        throw SonorailError("Cannot load the help window " + QFile::encodeName(module.fileName()).toStdString() +
                            ": it is not a file");
    createViewer = reinterpret_cast<CreateHelpViewerFunction>(module.resolve(kCreateHelpViewerEntry));
    if (!createViewer)
        throw SonorailError("Cannot load the help window " + QFile::encodeName(module.fileName()).toStdString() + ": " +
                            module.errorString().toStdString());
    return createViewer;
}
