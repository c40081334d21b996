#pragma once
// SONORAIL_STARTUP_PROBE=report prints "shown" once the main window has painted for the
// first time, then "queue: " and the queue's texts joined by "|" whenever the session's
// queue changes; =quit ends the program at the first paint; =shown prints "shown" and then
// stays out of the way (no filter on every event, no queue reports), so an idle program is
// measured as it runs for users. The start-up benchmark and the process tests watch these lines.
// With =report it also prints what a run shows before its main window and what reaches it
// from outside, and takes "ok" lines on its standard input:
//   "welcome: VIEW | WxH | LINE" when the welcome window is shown: its view ("picture",
//       "document" or "credits"), the size of its title picture (0x0 without one) and the
//       first line of its text area;
//   "box: TEXT" when a message box is shown;
//   "other copy: FILES" when a second copy hands over its files (joined by "|");
//   "ok" on standard input closes the open modal window as its default button would.
#include <QObject>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "core/queue/PlayQueue.h"

class QSocketNotifier;
class QWidget;
class WelcomeWindow;

class StartupProbe : public QObject, private PlayQueueObserver {
public:
    // The probe asked for by the environment, if any. It must go before the windows it watches.
    static std::unique_ptr<StartupProbe> fromEnvironment(PlayQueue& queue);

    ~StartupProbe() override;

    void watchWelcomeWindow(WelcomeWindow& window);
    // Reports the first paint and, from now on, the queue.
    void watchMainWindow(QWidget& window);
    void reportOtherCopy(const std::vector<std::string>& files);

private:
    enum class Mode { Quit, Shown, Report };
    StartupProbe(PlayQueue& queue, Mode mode);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void reportWelcomeWindow();
    void reportMessageBox(QObject* box);
    void readStandardInput();
    void reportQueue();
    static void say(const std::string& line);

    void beginInsertRows(int, int) override {}
    void endInsertRows() override { reportQueue(); }
    void beginRemoveRows(int, int) override {}
    void endRemoveRows() override { reportQueue(); }
    void rowsChanged(int, int) override { reportQueue(); }
    void selectionChanged(QueueList, int, int) override {}

    PlayQueue& queue;
    Mode mode;
    bool watchingQueue = false;
    QPointer<QWidget> mainWindow;
    QPointer<WelcomeWindow> welcomeWindow;
    QSocketNotifier* standardInput = nullptr;
    std::string inputLine;
};
