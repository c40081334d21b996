#pragma once
// Tells when a volume comes or goes. The kernel flags the open mount table as exceptional
// (POLLPRI) whenever a file system is mounted or unmounted, so no polling timer is needed.
#include <QObject>
#include <string>

class QSocketNotifier;

class VolumeWatcher : public QObject {
    Q_OBJECT
public:
    explicit VolumeWatcher(QObject* parent = nullptr, const std::string& mountTable = "/proc/self/mountinfo");
    ~VolumeWatcher() override;

    // False when the mount table could not be opened: then no change is ever reported.
    bool isWatching() const { return notifier != nullptr; }

signals:
    void volumesChanged();

private:
    void mountTableChanged();

    int tableFd = -1;
    QSocketNotifier* notifier = nullptr;
};
