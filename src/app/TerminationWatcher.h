#pragma once
// The ways the program is ended from outside, all leading to one quiet exit (nothing is
// asked; the default album is still saved): SIGTERM, which ends the program; the session
// manager ending the session, which asks the application to quit; and the event loop ending
// for any other reason. The quiet exit may be called more than once and must do its work
// once; after the program's own exit check it has nothing left to do.
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

    std::function<void()> quietExit;
    QSocketNotifier* notifier = nullptr;
};
