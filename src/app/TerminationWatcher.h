#pragma once
// The ways the program is ended from outside, all leading to one quiet exit (nothing is
// asked; the default album is still saved): SIGTERM, SIGHUP (the terminal or the session
// closing) and SIGINT (Ctrl+C), which end the program, a second one at once; the session
// manager ending the session, which asks the application to quit; and the event loop ending
// for any other reason. One termination passes through several of these (SIGTERM asks the
// application to quit, and quitting ends the event loop); the watcher calls the quiet exit
// at the first and never again. After the program's own exit check the quiet exit has
// nothing left to do.
#include <QObject>
#include <functional>

class QSocketNotifier;

class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    explicit TerminationWatcher(std::function<void()> quietExit, QObject* parent = nullptr);
    ~TerminationWatcher() override;

protected:
    // Watches the application for its quit request.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readSignal();
    void exitQuietlyOnce();

    std::function<void()> quietExit;
    bool exited = false;
    QSocketNotifier* notifier = nullptr;
};
