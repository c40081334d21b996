#include "app/TerminationWatcher.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalSockets[2] = {-1, -1};

void onTerminate(int)
{
    char byte = 1;
    // Only async-signal-safe work here: the UI thread picks the byte up.
    [[maybe_unused]] ssize_t written = ::write(signalSockets[0], &byte, 1);
}

}  // namespace

TerminationWatcher::TerminationWatcher(std::function<void()> quietExit, QObject* parent)
    : QObject(parent), quietExit(std::move(quietExit))
{
    // The session manager's end of the session reaches us as the application's quit
    // request, before the windows are asked to close; the program's own exits have done
    // their exit check by then.
    QCoreApplication::instance()->installEventFilter(this);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] { exitQuietlyOnce(); });
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0)
        return;  // without the pair SIGTERM keeps its default effect
    notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationWatcher::readSignal);
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
}

TerminationWatcher::~TerminationWatcher()
{
    QCoreApplication::instance()->removeEventFilter(this);
    if (signalSockets[0] < 0)
        return;
    ::signal(SIGTERM, SIG_DFL);
    ::close(signalSockets[0]);
    ::close(signalSockets[1]);
    signalSockets[0] = signalSockets[1] = -1;
}

void TerminationWatcher::readSignal()
{
    char byte = 0;
    [[maybe_unused]] ssize_t got = ::read(signalSockets[1], &byte, 1);
    exitQuietlyOnce();
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

bool TerminationWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit)
        exitQuietlyOnce();
    return QObject::eventFilter(watched, event);
}

void TerminationWatcher::exitQuietlyOnce()
{
    if (exited)
        return;
    exited = true;
    quietExit();
}
