#pragma once
// Turns SIGTERM into a Qt signal on the UI thread, so the program can end the way it
// ends on the Exit command (the default album is still saved) instead of dying at once.
#include <QObject>

class QSocketNotifier;

class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

signals:
    void terminationRequested();

private:
    void readSignal();
    QSocketNotifier* notifier = nullptr;
};
