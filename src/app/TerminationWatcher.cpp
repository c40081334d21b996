#include "app/TerminationWatcher.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalSockets[2] = {-1, -1};

// The signals that end the program from outside: SIGTERM (the system, the session, kill),
// SIGHUP (the terminal or the session closing) and SIGINT (Ctrl+C in the terminal).
// One that the program was started to ignore (nohup, a background job of a script) stays
// ignored.
constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGINT};

bool isIgnored(int signalNumber)
{
    struct sigaction current = {};
    return ::sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

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
        return;  // without the pair the signals keep their default effect
    notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationWatcher::readSignal);
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    // A second signal of the same kind ends the program at once: the user means it when
    // the first one's exit takes too long.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signalNumber : kEndingSignals) {
        if (!isIgnored(signalNumber))
            ::sigaction(signalNumber, &action, nullptr);
    }
}

TerminationWatcher::~TerminationWatcher()
{
    QCoreApplication::instance()->removeEventFilter(this);
    if (signalSockets[0] < 0)
        return;
    for (const int signalNumber : kEndingSignals) {
        if (!isIgnored(signalNumber))
            ::signal(signalNumber, SIG_DFL);
    }
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
