#include "ui/mainwindow/PlaybackTicks.h"

#include <QTimer>

#include "core/base/DialogSeam.h"
#include "core/session/Jukebox.h"
#include "ui/commands/CommandDispatcher.h"

PlaybackTicks::PlaybackTicks(Jukebox& session, CommandDispatcher& commands, QTimer& monitorTimer, QTimer& introTimer,
                             QObject* parent)
    : QObject(parent), session(session), commands(commands)
{
    connect(&monitorTimer, &QTimer::timeout, this, [this] { runMonitorTick(); });
    connect(&introTimer, &QTimer::timeout, this, [this] { runTick([this] { this->session.monitor().introTick(); }); });
    // The report comes on the player's own thread and is queued to this one.
    session.player().setEndListener([this] {
        QMetaObject::invokeMethod(
            this, [this] { runMonitorTick(); }, Qt::QueuedConnection);
    });
}

PlaybackTicks::~PlaybackTicks() { session.player().setEndListener(nullptr); }

void PlaybackTicks::runMonitorTick()
{
    runTick([this] { session.monitor().tick(); });
}

// A timer does not fire again while its own tick is still running, so an error box opened
// inside a tick would stop the queue for as long as it stays open: the box opens once the
// tick is over. An error met again while its box is open gets no second box.
void PlaybackTicks::runTick(const std::function<void()>& tick)
{
    commands.RunGuarded(tick, [this](const std::string& message) { showErrorLater(message); });
}

void PlaybackTicks::showErrorLater(const std::string& message)
{
    if (!errorsShowing.insert(message).second)
        return;
    QTimer::singleShot(0, this, [this, message] {
        ShowErrorBox(message);
        errorsShowing.erase(message);
    });
}
