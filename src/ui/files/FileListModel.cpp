#include "ui/files/FileListModel.h"

#include <QByteArray>
#include <QTimer>

#include "core/base/WithTrailingBackslash.h"
#include "core/files/DirectoryListing.h"
#include "core/files/FileMask.h"
#include "ui/queue/MusicTagCache.h"

FileListModel::FileListModel(QObject* parent) : QAbstractListModel(parent) {}

void FileListModel::setDirectory(std::string directory)
{
    shownDirectory = std::move(directory);
    refresh();
}

void FileListModel::setDirectoryToReadLater(std::string directory)
{
    shownDirectory = std::move(directory);
    unread = true;
    QTimer::singleShot(0, this, [this] {
        if (unread)
            refresh();
    });
}

void FileListModel::setMask(const QString& mask)
{
    if (mask == currentMask)
        return;
    currentMask = mask;
    refresh();
}

void FileListModel::refresh()
{
    unread = false;
    // Read before the reset, so the view never waits on the disk with an empty model.
    std::vector<std::string> listed;
    if (!shownDirectory.empty())
        listed = ListFiles(shownDirectory, FileMask(currentMask.toLocal8Bit().toStdString()));
    beginResetModel();
    names = std::move(listed);
    endResetModel();
}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(names.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || static_cast<std::size_t>(index.row()) >= names.size())
        return {};
    const std::string& bytes = names[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
        case NameBytesRole:
            return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
        case Qt::ToolTipRole:
            return MusicToolTipOf(WithTrailingBackslash(shownDirectory) + bytes);
        default:
            return {};
    }
}
