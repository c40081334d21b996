#include "ui/files/VolumeWatcher.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>

VolumeWatcher::VolumeWatcher(QObject* parent, const std::string& mountTable) : QObject(parent)
{
    tableFd = open(mountTable.c_str(), O_RDONLY | O_CLOEXEC);
    if (tableFd < 0)
        return;
    notifier = new QSocketNotifier(tableFd, QSocketNotifier::Exception, this);
    connect(notifier, &QSocketNotifier::activated, this, &VolumeWatcher::mountTableChanged);
}

VolumeWatcher::~VolumeWatcher()
{
    delete notifier;  // before its descriptor goes
    if (tableFd >= 0)
        close(tableFd);
}

void VolumeWatcher::mountTableChanged()
{
    // Reading the table through from the start takes the kernel's change note, as the
    // documented way to wait on it asks; the text itself is read by whoever listens.
    std::array<char, 16384> discard;
    if (lseek(tableFd, 0, SEEK_SET) == 0) {
        while (read(tableFd, discard.data(), discard.size()) > 0) {
        }
    }
    emit volumesChanged();
}
