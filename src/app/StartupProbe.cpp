#include "app/StartupProbe.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSocketNotifier>
#include <QTextBlock>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

#include "ui/welcome/WelcomeWindow.h"

namespace {

std::string viewName(WelcomeWindow::View view)
{
    switch (view) {
        case WelcomeWindow::View::Picture:
            return "picture";
        case WelcomeWindow::View::Document:
            return "document";
        case WelcomeWindow::View::Credits:
            return "credits";
    }
    return "";
}

}  // namespace

std::unique_ptr<StartupProbe> StartupProbe::fromEnvironment(PlayQueue& queue)
{
    const QByteArray name = qgetenv("SONORAIL_STARTUP_PROBE");
    Mode mode;
    if (name == "report")
        mode = Mode::Report;
    else if (name == "quit")
        mode = Mode::Quit;
    else if (name == "shown")
        mode = Mode::Shown;
    else
        return nullptr;
    return std::unique_ptr<StartupProbe>(new StartupProbe(queue, mode));
}

StartupProbe::StartupProbe(PlayQueue& queue, Mode mode) : queue(queue), mode(mode)
{
    if (mode != Mode::Report)
        return;
    qApp->installEventFilter(this);  // message boxes, wherever they come from
    standardInput = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(standardInput, &QSocketNotifier::activated, this, &StartupProbe::readStandardInput);
}

StartupProbe::~StartupProbe()
{
    if (watchingQueue)
        queue.removeObserver(this);
}

void StartupProbe::watchWelcomeWindow(WelcomeWindow& window) { welcomeWindow = &window; }

void StartupProbe::watchMainWindow(QWidget& window)
{
    mainWindow = &window;
    window.installEventFilter(this);
    if (mode != Mode::Report)
        return;
    queue.addObserver(this);
    watchingQueue = true;
}

void StartupProbe::reportOtherCopy(const std::vector<std::string>& files)
{
    std::string line = "other copy: ";
    for (std::size_t index = 0; index < files.size(); ++index)
        line += (index ? "|" : "") + files[index];
    say(line);
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == mainWindow.data()) {
        say("shown");
        if (mode == Mode::Quit)
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        watched->removeEventFilter(this);
    } else if (event->type() == QEvent::Show && watched == welcomeWindow.data()) {
        // After the window's own showing has filled it.
        QMetaObject::invokeMethod(this, &StartupProbe::reportWelcomeWindow, Qt::QueuedConnection);
    } else if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched)) {
        reportMessageBox(watched);
    }
    return false;
}

void StartupProbe::reportWelcomeWindow()
{
    if (!welcomeWindow)
        return;
    const QSize picture = welcomeWindow->titlePicture->pixmap().size();
    const QString firstLine = welcomeWindow->documentText->document()->firstBlock().text();
    say("welcome: " + viewName(welcomeWindow->view()) + " | " + std::to_string(picture.width()) + "x" +
        std::to_string(picture.height()) + " | " + firstLine.toStdString());
}

void StartupProbe::reportMessageBox(QObject* box)
{
    say("box: " + static_cast<QMessageBox*>(box)->text().toStdString());
}

void StartupProbe::readStandardInput()
{
    char bytes[256];
    const ssize_t count = ::read(STDIN_FILENO, bytes, sizeof bytes);
    if (count <= 0) {
        standardInput->setEnabled(false);  // nothing more will come
        return;
    }
    inputLine.append(bytes, static_cast<std::size_t>(count));
    for (std::size_t end = inputLine.find('\n'); end != std::string::npos; end = inputLine.find('\n')) {
        const std::string line = inputLine.substr(0, end);
        inputLine.erase(0, end + 1);
        if (line != "ok")
            continue;
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    }
}

void StartupProbe::reportQueue()
{
    std::string line = "queue: ";
    for (int row = 0; row < queue.count(); ++row)
        line += (row ? "|" : "") + queue.entry(row).text;
    say(line);
}

void StartupProbe::say(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}
