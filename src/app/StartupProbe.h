#pragma once
// SONORAIL_STARTUP_PROBE=report prints "shown" once the main window has painted for the
// first time, then "queue: " and the queue's texts joined by "|" whenever the session's
// queue changes; =quit ends the program at the first paint. The start-up benchmark and the
// process tests watch these lines.
#include <QObject>
#include <memory>
#include <string>

#include "core/queue/PlayQueue.h"

class QWidget;

class StartupProbe : public QObject, private PlayQueueObserver {
public:
    // The probe asked for by the environment, if any; it must go before the window.
    static std::unique_ptr<StartupProbe> installOn(QWidget& mainWindow, PlayQueue& queue);

    ~StartupProbe() override;

private:
    StartupProbe(PlayQueue& queue, bool quit);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void reportQueue();
    static void say(const std::string& line);

    void beginInsertRows(int, int) override {}
    void endInsertRows() override { reportQueue(); }
    void beginRemoveRows(int, int) override {}
    void endRemoveRows() override { reportQueue(); }
    void rowsChanged(int, int) override { reportQueue(); }
    void selectionChanged(QueueList, int, int) override {}

    PlayQueue& queue;
    bool quitWhenShown;
};
