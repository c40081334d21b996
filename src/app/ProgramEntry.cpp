#include "app/ProgramEntry.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "ui/commands/CommandDispatcher.h"
#include "core/commands/CommandLine.h"
#include "core/base/DialogSeam.h"
#include "core/base/GuardedCall.h"
#include "ui/commands/MessageBoxDialogs.h"
#include "core/base/ProgramPaths.h"
#include "ui/files/RenameDialog.h"
#include "ui/setup/SetupDialog.h"
#include "app/SingleInstanceGuard.h"
#include "app/mpris/MprisService.h"
#include "media/SystemMediaBackend.h"
#include "app/TerminationWatcher.h"
#include "ui/welcome/WelcomeWindow.h"
#include "ui/toolbar/Toolbar.h"
#include "ui/files/DirectoryChooser.h"
#include "ui/viewer/ViewerWindow.h"
#include "ui/mainwindow/MainWindow.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/SettingsKeys.h"

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

// The program's own arguments as the caller's bytes (Qt has taken its options out of argv).
std::vector<std::string> ownArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

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

QStringList toQStrings(const std::vector<std::string>& paths)
{
    QStringList list;
    for (const std::string& path : paths)
        list.append(QFile::decodeName(QByteArray::fromStdString(path)));
    return list;
}

// Everything of a run, created in order and destroyed in reverse at process end.
struct Run {
    CommandDispatcher dispatcher;
    std::unique_ptr<WelcomeWindow> tips;
    std::unique_ptr<SingleInstanceGuard> guard;
    std::unique_ptr<Toolbar> toolbar;
    std::unique_ptr<ViewerWindow> viewer;
    std::unique_ptr<SetupDialog> setup;
    std::unique_ptr<DirectoryChooser> directoryChooser;
    std::unique_ptr<RenameDialog> renameDialog;
    std::unique_ptr<TerminationWatcher> termination;
    std::unique_ptr<MprisService> mpris;  // watches the queue: goes before the main window
    std::unique_ptr<QObject> probe;       // watches the main window: destroyed first
};

// Step 5 and 6: the two start-up keys, then the introduction or the tip of the day.
void showWelcomePage(Run& run)
{
    Settings startup;
    ReadStartupKeys(ProfileFile(SettingsFilePath()), startup);
    run.tips->visualOptTipOfDay->setChecked(startup.OptTipOfDay);
    if (startup.OptFirstRun)
        run.dispatcher.ExecuteCommand(Command::Introduction);
    else if (run.tips->visualOptTipOfDay->isChecked())
        run.dispatcher.ExecuteCommand(Command::TipOfTheDay);
}

// A second copy asked this one to come forward: the welcome page while it is shown
// modally before the main window exists, the main window afterwards.
void answerOtherCopies(Run& run)
{
    QObject::connect(run.guard.get(), &SingleInstanceGuard::messageReceived, run.guard.get(),
                     [&run](const InstanceMessage& message) {
                         GuardedCall([&] {
                             if (run.toolbar) {
                                 run.toolbar->mainWindow().BringForward(message.activationToken, message.files);
                             } else if (QWidget* modal = QApplication::activeModalWidget()) {
                                 modal->raise();
                                 modal->activateWindow();
                             }
                         });
                     });
}

// Desktop media controls, when there is a session bus; the program runs the same without.
void startMpris(Run& run)
{
    MainWindow& form = run.toolbar->mainWindow();
    run.mpris = std::make_unique<MprisService>(form);
    if (!run.mpris->registerOnSessionBus()) {
        run.mpris.reset();
        return;
    }
    QObject::connect(form.Timer1, &QTimer::timeout, run.mpris.get(), &MprisService::publishChanges);
}

void connectExits(Run& run, QApplication& app)
{
    MainWindow& form = run.toolbar->mainWindow();
    // The desktop session ends: the same exit, asking only when the session allows it.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&form](QSessionManager& manager) {
        const bool mayAsk = manager.allowsInteraction();
        const bool mayLeave = form.SessionEnding(mayAsk);
        if (mayAsk)
            manager.release();
        if (!mayLeave)
            manager.cancel();
    });
    run.termination = std::make_unique<TerminationWatcher>();
    QObject::connect(run.termination.get(), &TerminationWatcher::terminationRequested, &form,
                     [&form] { form.RequestExit(false); });
}

// SONORAIL_STARTUP_PROBE=report prints "shown" once the main window has painted for the
// first time, then "queue: " and the queue's texts joined by "|" whenever the queue changes;
// =quit ends the program at the first paint. The start-up benchmark and the process tests
// watch these lines.
class StartupProbe : public QObject, private PlayQueueObserver {
public:
    // The probe asked for by the environment, if any; it must go before the window.
    static std::unique_ptr<StartupProbe> installOn(MainWindow& window)
    {
        const QByteArray mode = qgetenv("SONORAIL_STARTUP_PROBE");
        if (mode != "report" && mode != "quit")
            return nullptr;
        std::unique_ptr<StartupProbe> probe(new StartupProbe(window, mode == "quit"));
        window.installEventFilter(probe.get());
        return probe;
    }

    ~StartupProbe() override { queue.removeObserver(this); }

private:
    StartupProbe(MainWindow& window, bool quit) : queue(window.playQueue()), quitWhenShown(quit)
    {
        queue.addObserver(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            say("shown");
            if (quitWhenShown)
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            watched->removeEventFilter(this);
        }
        return false;
    }

    void reportQueue()
    {
        std::string line = "queue: ";
        for (int row = 0; row < queue.count(); ++row)
            line += (row ? "|" : "") + queue.entry(row).text;
        say(line);
    }

    static void say(const std::string& line)
    {
        std::fputs((line + "\n").c_str(), stdout);
        std::fflush(stdout);
    }

    void beginInsertRows(int, int) override {}
    void endInsertRows() override { reportQueue(); }
    void beginRemoveRows(int, int) override {}
    void endRemoveRows() override { reportQueue(); }
    void rowsChanged(int, int) override { reportQueue(); }
    void selectionChanged(QueueList, int, int) override {}

    PlayQueue& queue;
    bool quitWhenShown;
};

}  // namespace

int RunProgram(int argc, char** argv)
{
    XInitThreads();  // the media engine draws from its own threads
    preferX11();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("sonorail"));
    app.setQuitOnLastWindowClosed(false);
    MessageBoxDialogs dialogs;
    DialogSeam::install(&dialogs);

    const std::vector<std::string> arguments = ownArguments(argc, argv);
    const std::vector<std::string> files = commandLineFiles(arguments);
    Run run;
    bool anotherCopyRuns = false;
    bool started = GuardedCall([&] {
        run.tips = std::make_unique<WelcomeWindow>();
        const ProgramPaths& paths = CurrentProgramPaths();
        run.guard = std::make_unique<SingleInstanceGuard>(QString::fromStdString(paths.programDir()));
        anotherCopyRuns = run.guard->GuardSingleInstance(InstanceMessageFromEnvironment(toQStrings(files)));
        if (anotherCopyRuns)
            return;
        answerOtherCopies(run);
        paths.createProgramDir();
        showWelcomePage(run);
        MainWindowStart start{&run.dispatcher, run.tips.get(), arguments, MakeSystemMediaBackend};
        run.toolbar = std::make_unique<Toolbar>(start);
        run.viewer = std::make_unique<ViewerWindow>(&run.toolbar->mainWindow());
        run.toolbar->mainWindow().attachViewer(run.viewer.get());
        run.setup = std::make_unique<SetupDialog>();
        run.toolbar->mainWindow().attachSetupForm(run.setup.get());
        run.directoryChooser = std::make_unique<DirectoryChooser>();
        run.renameDialog = std::make_unique<RenameDialog>();
        connectExits(run, app);
        startMpris(run);
    });
    if (anotherCopyRuns)
        return 0;
    if (!started)
        return 1;
    MainWindow& form = run.toolbar->mainWindow();
    run.probe = StartupProbe::installOn(form);
    if (form.StartsMinimised())
        form.showMinimized();
    else
        form.show();
    // After start-up, so the default album loaded there does not replace them.
    GuardedCall([&] { form.HandOverFiles(files); });
    int status = app.exec();
    DialogSeam::install(nullptr);
    return status;
}
