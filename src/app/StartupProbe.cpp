#include "app/StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>

std::unique_ptr<StartupProbe> StartupProbe::installOn(QWidget& mainWindow, PlayQueue& queue)
{
    const QByteArray mode = qgetenv("SONORAIL_STARTUP_PROBE");
    if (mode != "report" && mode != "quit")
        return nullptr;
    std::unique_ptr<StartupProbe> probe(new StartupProbe(queue, mode == "quit"));
    mainWindow.installEventFilter(probe.get());
    return probe;
}

StartupProbe::StartupProbe(PlayQueue& queue, bool quit) : queue(queue), quitWhenShown(quit)
{
    queue.addObserver(this);
}

StartupProbe::~StartupProbe() { queue.removeObserver(this); }

bool StartupProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        say("shown");
        if (quitWhenShown)
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        watched->removeEventFilter(this);
    }
    return false;
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
