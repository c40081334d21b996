#pragma once
// The monitor's 200 ms tick and the intro countdown drive the session's playback; when the
// player reports that an item has ended, the monitor's tick runs at once rather than up to
// 200 ms later, so the next item follows without a gap.

#include <QObject>
#include <functional>
#include <set>
#include <string>

class CommandDispatcher;
class Jukebox;
class QTimer;

class PlaybackTicks final : public QObject {
public:
    PlaybackTicks(Jukebox& session, CommandDispatcher& commands, QTimer& monitorTimer, QTimer& introTimer,
                  QObject* parent);
    ~PlaybackTicks() override;

private:
    void runMonitorTick();
    void runTick(const std::function<void()>& tick);
    void showErrorLater(const std::string& message);

    Jukebox& session;
    CommandDispatcher& commands;
    std::set<std::string> errorsShowing;  // raised in ticks, their boxes not closed yet
};
