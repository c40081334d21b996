#include "app/ProgramEntry.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QIcon>
#include <QSessionManager>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/FileHandOver.h"
#include "app/SingleInstanceGuard.h"
#include "app/StartupProbe.h"
#include "app/TerminationWatcher.h"
#include "app/mpris/MprisService.h"
#include "core/base/DialogSeam.h"
#include "core/base/GuardedCall.h"
#include "core/base/ProgramPaths.h"
#include "core/commands/CommandLine.h"
#include "core/playback/ViewerOnFirstUse.h"
#include "core/session/Jukebox.h"
#include "core/formats/ProfileFile.h"
#include "core/settings/SettingsKeys.h"
#include "media/SystemMediaBackend.h"
#include "ui/commands/CommandDispatcher.h"
#include "ui/commands/MessageBoxDialogs.h"
#include "ui/files/DirectoryChooser.h"
#include "ui/files/FileCommandDialogs.h"
#include "ui/files/RenameDialog.h"
#include "ui/help/HelpBookEngine.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/pictures/BuiltInPictures.h"
#include "ui/setup/SetupDialog.h"
#include "ui/toolbar/Toolbar.h"
#include "ui/viewer/SharedPalette.h"
#include "ui/viewer/ViewerWindow.h"
#include "ui/welcome/WelcomeWindow.h"

// From Xlib; declared here so that its macros (None, Bool, Status) stay out of our code.
extern "C" int XInitThreads(void);

namespace {

// The program places its own top-level windows (the docked toolbar, the viewer over the
// main window), which only X11 allows; under Wayland it runs through XWayland.
void preferX11()
{
    if (!std::getenv("QT_QPA_PLATFORM") && std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
}

// The icon the desktop entry names (Icon=sonorail), for every window of the program, at each
// of its sizes from the pixels compiled in: no picture file is decoded for it. The desktop file
// name ties the windows to the entry on desktops that group windows by it.
void useProgramIcon(QApplication& app)
{
    QIcon icon;
    for (const PixelPicture& size : BuiltInPictures::programIcon)
        icon.addPixmap(size.pixmap());
    app.setWindowIcon(icon);
    app.setDesktopFileName(QStringLiteral("sonorail"));
}

// The program's own arguments as the caller's bytes (Qt has taken its options out of argv).
std::vector<std::string> ownArguments(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }

// Files named on the command line, made absolute from the caller's directory.
std::vector<std::string> commandLineFiles(const std::vector<std::string>& arguments)
{
    std::vector<std::string> files;
    for (const std::string& file : CommandLineFiles(arguments)) {
        std::error_code ignored;
        files.push_back(std::filesystem::absolute(file, ignored).lexically_normal().string());
    }
    return files;
}

// File names travel as bytes: a name that is not UTF-8 must reach the running copy unchanged.
QList<QByteArray> toByteArrays(const std::vector<std::string>& paths)
{
    QList<QByteArray> list;
    for (const std::string& path : paths)
        list.append(QByteArray::fromStdString(path));
    return list;
}

// Everything of a run, destroyed in reverse at process end: the session first, then the
// windows. No window owns another. The windows the first paint does not show are made at
// their first use (their slots stay empty until then) and kept for the run.
struct Run {
    CommandDispatcher dispatcher;
    std::unique_ptr<HelpBookEngine> help;
    // The session's viewer until the viewer window is made; it outlives the session.
    std::unique_ptr<ViewerOnFirstUse> viewerOnFirstUse;
    std::unique_ptr<Jukebox> session;
    std::unique_ptr<WelcomeWindow> tips;  // made when a page of it is first shown
    std::unique_ptr<SingleInstanceGuard> guard;
    std::unique_ptr<Toolbar> toolbar;
    std::unique_ptr<MainWindow> mainWindow;  // created during the toolbar's creation
    std::unique_ptr<ViewerWindow> viewer;    // made when the first text or picture is shown
    std::unique_ptr<SetupDialog> setup;
    std::unique_ptr<DirectoryChooser> directoryChooser;
    std::unique_ptr<RenameDialog> renameDialog;  // made when it is first asked for
    std::unique_ptr<FileCommandDialogs> fileDialogs;
    std::unique_ptr<FileHandOver> handOver;
    std::unique_ptr<TerminationWatcher> termination;
    std::unique_ptr<MprisService> mpris;
    std::unique_ptr<StartupProbe> probe;  // watches the windows: destroyed first
    // Files a second copy handed over before the main window existed: the welcome page
    // was open. They join the queue with the command line's once start-up is done.
    std::vector<std::string> filesBeforeStart;
};

// The welcome window, made when a page of it is first shown: most runs show none, and its
// text area would lay out text and load its fonts for nothing.
WelcomeWindow& welcomeWindow(Run& run)
{
    if (!run.tips) {
        run.tips = std::make_unique<WelcomeWindow>(run.dispatcher);
        if (run.probe)
            run.probe->watchWelcomeWindow(*run.tips);
    }
    return *run.tips;
}

// The help menu's pages work before the welcome window exists: they make it, and it then
// takes over their commands with its own operations.
void offerWelcomePages(Run& run)
{
    const std::pair<Command, WelcomePage> pages[] = {{Command::About, WelcomePage::Picture},
                                                     {Command::Introduction, WelcomePage::Introduction},
                                                     {Command::TechnicalDocuments, WelcomePage::TechnicalDocuments},
                                                     {Command::TipOfTheDay, WelcomePage::TipOfTheDay}};
    for (const auto& [command, page] : pages)
        run.dispatcher.setOperation(command, [&run, page = page] { welcomeWindow(run).showPage(page); });
}

// Step 5 and 6: the two start-up keys, then the introduction or the tip of the day. Here,
// before the main window exists, a document that cannot be read must not end the program:
// the error is shown and the page opens with an empty text area.
void showWelcomePage(Run& run)
{
    Settings startup;
    ReadStartupKeys(ProfileFile(SettingsFilePath()), startup);
    if (!startup.OptFirstRun && !startup.OptTipOfDay)
        return;
    WelcomeWindow& tips = welcomeWindow(run);
    tips.tipOfDayBox->setChecked(startup.OptTipOfDay);
    tips.showPageAtStartup(startup.OptFirstRun ? WelcomePage::Introduction : WelcomePage::TipOfTheDay);
}

// The help book is shown by the help window, whose module is opened at the first request.
void installHelp(Run& run, const ProgramPaths& paths)
{
    const auto folder = [](const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); };
    run.help = std::make_unique<HelpBookEngine>(HelpBookEngine::moduleFileFor(folder(paths.executableDir())),
                                                folder(paths.cacheDir() + "help"));
    HelpEngine::install(run.help.get());
}

// The viewer window over the main window, made when the engine first shows a text or a
// picture; it then answers the session itself, and the toolbar's dock places it.
ViewerWindow& viewerWindow(Run& run)
{
    if (!run.viewer) {
        run.viewer = std::make_unique<ViewerWindow>(*run.session, run.dispatcher, *run.mainWindow, *run.toolbar);
        run.toolbar->attachViewer(run.viewer.get());
    }
    return *run.viewer;
}

// Step 7: the toolbar, whose creation has the main window created (which runs the
// session's start-up); step 8: the viewer and the dialogs, each made when it is first
// asked for, as the first paint shows none of them and few runs open them.
void createWindows(Run& run)
{
    run.toolbar = std::make_unique<Toolbar>(*run.session, run.dispatcher, [&run](Toolbar& toolbar) -> MainWindow& {
        // The welcome window's palette, as its last showing left it (none when not shown).
        if (run.tips)
            SharedPalette::set(run.tips->palColours());
        run.mainWindow = std::make_unique<MainWindow>(*run.session, run.dispatcher, toolbar);
        return *run.mainWindow;
    });
    run.viewerOnFirstUse = std::make_unique<ViewerOnFirstUse>([&run]() -> Viewer& { return viewerWindow(run); });
    run.session->attachViewer(run.viewerOnFirstUse.get());
    run.mainWindow->attachSetupForm([&run]() -> SetupDialog& {
        if (!run.setup)
            run.setup = std::make_unique<SetupDialog>();
        return *run.setup;
    });
    const auto directoryChooser = [&run]() -> DirectoryChooser& {
        if (!run.directoryChooser)
            run.directoryChooser = std::make_unique<DirectoryChooser>();
        return *run.directoryChooser;
    };
    const auto renameDialog = [&run]() -> RenameDialog& {
        if (!run.renameDialog)
            run.renameDialog = std::make_unique<RenameDialog>();
        return *run.renameDialog;
    };
    run.fileDialogs =
        std::make_unique<FileCommandDialogs>(*run.session, directoryChooser, renameDialog, run.mainWindow.get());
    run.handOver = std::make_unique<FileHandOver>(run.session->queueEditing());
}

// The window that answers the user now: an open modal dialog, else the main window
// (restored when it was minimised).
void bringForward(Run& run, const QString& activationToken)
{
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
        return;
    }
    if (!run.mainWindow)
        return;
    if (run.mainWindow->isMinimized())
        run.mainWindow->showNormal();
    run.mainWindow->raise();
    run.mainWindow->activateWindow();
}

std::vector<std::string> toPaths(const QList<QByteArray>& files)
{
    std::vector<std::string> paths;
    for (const QByteArray& file : files)
        paths.push_back(file.toStdString());
    return paths;
}

// A second copy asked this one to come forward: the welcome page while it is shown
// modally before the main window exists, the main window afterwards. The copy's files join
// the queue, at once or, while start-up goes on, once it is done.
void answerOtherCopies(Run& run)
{
    QObject::connect(run.guard.get(), &SingleInstanceGuard::messageReceived, run.guard.get(),
                     [&run](const InstanceMessage& message) {
                         GuardedCall([&] {
                             const std::vector<std::string> files = toPaths(message.files);
                             if (run.probe)
                                 run.probe->reportOtherCopy(files);
                             if (!message.continuation)
                                 bringForward(run, message.activationToken);
                             if (run.handOver)
                                 run.handOver->handOverFiles(files);
                             else
                                 run.filesBeforeStart.insert(run.filesBeforeStart.end(), files.begin(), files.end());
                         });
                     });
}

// Desktop media controls, when there is a session bus; the program runs the same without.
void startMpris(Run& run)
{
    run.mpris = std::make_unique<MprisService>(*run.session, run.dispatcher, [&run] { bringForward(run, {}); });
    if (!run.mpris->registerOnSessionBus()) {
        run.mpris.reset();
        return;
    }
    QObject::connect(run.mainWindow.get(), &MainWindow::monitorTicked, run.mpris.get(), &MprisService::publishChanges);
}

void connectExits(Run& run, QApplication& app)
{
    MainWindow& form = *run.mainWindow;
    // Before the desktop session ends: only the exit question, when the session lets us
    // ask. A log-out that is cancelled afterwards, or a mere checkpoint, changes nothing;
    // the quiet exit comes when the session really ends.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&form](QSessionManager& manager) {
        const bool mayAsk = manager.allowsInteraction();
        const bool mayEnd = form.sessionEnding(mayAsk);
        if (mayAsk)
            manager.release();
        if (!mayEnd)
            manager.cancel();
    });
    run.termination = std::make_unique<TerminationWatcher>([&form] { form.quietExit(); });
}

}  // namespace

int RunProgram(int argc, char** argv)
{
    XInitThreads();  // the media engine draws from its own threads
    preferX11();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("sonorail"));
    useProgramIcon(app);
    app.setQuitOnLastWindowClosed(false);
    MessageBoxDialogs dialogs;
    DialogSeam::install(&dialogs);

    const std::vector<std::string> arguments = ownArguments(argc, argv);
    const std::vector<std::string> files = commandLineFiles(arguments);
    Run run;
    bool anotherCopyRuns = false;
    bool started = GuardedCall([&] {
        run.session = std::make_unique<Jukebox>(MakeSystemMediaBackend(), run.dispatcher, arguments);
        run.probe = StartupProbe::fromEnvironment(run.session->playQueue());
        offerWelcomePages(run);
        const ProgramPaths& paths = CurrentProgramPaths();
        run.guard = std::make_unique<SingleInstanceGuard>(QByteArray::fromStdString(paths.programDir()));
        anotherCopyRuns = run.guard->guardSingleInstance(InstanceMessageFromEnvironment(toByteArrays(files)));
        if (anotherCopyRuns)
            return;
        answerOtherCopies(run);
        paths.createProgramDir();
        installHelp(run, paths);
        showWelcomePage(run);
        createWindows(run);
        connectExits(run, app);
        startMpris(run);
    });
    if (anotherCopyRuns)
        return 0;
    if (!started)
        return 1;
    MainWindow& form = *run.mainWindow;
    if (run.probe)
        run.probe->watchMainWindow(form);
    if (run.session->startsMinimised())
        form.showMinimized();
    else
        form.show();
    // After start-up, so the default album loaded there does not replace them.
    GuardedCall([&] {
        std::vector<std::string> handedOver = files;
        handedOver.insert(handedOver.end(), run.filesBeforeStart.begin(), run.filesBeforeStart.end());
        run.handOver->handOverFiles(handedOver);
    });
    int status = app.exec();
    DialogSeam::install(nullptr);
    return status;
}
