#include "ui/files/FileBrowser.h"

#include <QIcon>

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>

#include "core/files/DirectoryListing.h"
#include "ui/files/FileListModel.h"
#include "ui/files/VolumeWatcher.h"

namespace {

QString fromBytes(const std::string& bytes)
{
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string lastComponent(const std::string& path)
{
    if (path == "/")
        return path;
    return path.substr(path.rfind('/') + 1);
}

}  // namespace

std::vector<DirectoryRow> DirectoryRows(std::string_view root, std::string_view directory,
                                        const std::vector<std::string>& subdirectories)
{
    std::vector<DirectoryRow> rows;
    int depth = 0;
    for (std::string& step : DirectoryChain(root, directory)) {
        std::string name = depth == 0 ? step : lastComponent(step);
        rows.push_back({std::move(step), std::move(name), depth++, true});
    }
    const std::string current = rows.back().path;  // a copy: the rows grow below
    for (const std::string& subdirectory : subdirectories)
        rows.push_back({ChildPath(current, subdirectory), subdirectory, depth, false});
    return rows;
}

void DirectoryListModel::show(const std::string& root, const std::string& directory)
{
    std::vector<DirectoryRow> listed = DirectoryRows(root, directory, ListSubdirectories(directory));
    beginResetModel();
    rows = std::move(listed);
    current = rows[static_cast<std::size_t>(currentRow())].path;
    endResetModel();
}

void DirectoryListModel::clear()
{
    beginResetModel();
    current.clear();
    rows.clear();
    endResetModel();
}

int DirectoryListModel::currentRow() const
{
    const auto chainEnd = std::ranges::find(rows, false, &DirectoryRow::onChain);
    return static_cast<int>(chainEnd - rows.begin()) - 1;
}

int DirectoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

namespace {

// Qt's own folder pictures, loaded once: the style's standard icons would search the
// desktop's icon theme on every row painted, which costs more than the whole list.
QIcon folderIcon(bool open)
{
    static const QIcon openFolder(QStringLiteral(":/qt-project.org/styles/commonstyle/images/diropen-16.png"));
    static const QIcon closedFolder(QStringLiteral(":/qt-project.org/styles/commonstyle/images/dirclosed-16.png"));
    return open ? openFolder : closedFolder;
}

}  // namespace

QVariant DirectoryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || static_cast<std::size_t>(index.row()) >= rows.size())
        return {};
    const DirectoryRow& shown = rows[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            // Two spaces a level draw the tree of the old directory list without a tree view.
            return QString(2 * shown.depth, QLatin1Char(' ')) + fromBytes(shown.name);
        case Qt::ToolTipRole:
            return fromBytes(shown.path);
        case Qt::DecorationRole:
            return folderIcon(shown.onChain);
        default:
            return {};
    }
}

FileBrowser::FileBrowser(QComboBox* drives, QListView* directories, QListView* files, QObject* parent)
    : FileBrowser(drives, directories, files, FileBrowserSources(), parent)
{
}

FileBrowser::FileBrowser(QComboBox* drives, QListView* directories, QListView* files, FileBrowserSources sources,
                         QObject* parent)
    : QObject(parent),
      drives(drives),
      directories(directories),
      files(files),
      sources(std::move(sources)),
      directoryModel(new DirectoryListModel(this)),
      fileModel(new FileListModel(this))
{
    // The file list's first mask, until the window hands over the mask of its type filters;
    // the start directory's files are read once that mask has come.
    fileModel->setMask(QStringLiteral("*.mid"));

    directories->setModel(directoryModel);
    directories->setSelectionMode(QAbstractItemView::SingleSelection);
    directories->setUniformItemSizes(true);
    if (files) {
        files->setModel(fileModel);
        files->setSelectionMode(QAbstractItemView::ExtendedSelection);
        // Rows of one height: the view lays out a large directory without measuring every name.
        files->setUniformItemSizes(true);
    }

    // A double click or Enter opens a directory, whatever the desktop's click setting: with
    // single-click activation a click would open the directory the user only meant to pick.
    connect(directories, &QAbstractItemView::doubleClicked, this, &FileBrowser::openDirectoryRow);
    directories->installEventFilter(this);
    connect(drives, &QComboBox::currentIndexChanged, this, [this] { showSelectedDrive(); });
    if (this->sources.watchMountTable) {
        watcher = new VolumeWatcher(this);
        connect(watcher, &VolumeWatcher::volumesChanged, this, &FileBrowser::refreshVolumes);
    }

    volumeList = this->sources.volumes();
    fillDriveSelector();
    const std::string start = WithoutTrailingSlash(this->sources.startDirectory());
    lastDirectories = std::make_unique<VolumeDirectories>(volumeList, start);
    if (VolumeHolding(volumeList, start).empty()) {
        selectDrive(volumeList.empty() ? std::string() : volumeList.front());
        showSelectedDrive();
    } else {
        setDirectory(start);
    }
    constructing = false;
}

FileBrowser::~FileBrowser() = default;

void FileBrowser::fillDriveSelector()
{
    const QSignalBlocker quiet(drives);
    drives->clear();
    const std::string home = volumeList.empty() ? std::string() : volumeList.front();
    for (const std::string& each : volumeList)
        drives->addItem(fromBytes(VolumeCaption(each, home)));
}

void FileBrowser::selectDrive(const std::string& newVolume)
{
    const auto found = std::ranges::find(volumeList, newVolume);
    const QSignalBlocker quiet(drives);
    drives->setCurrentIndex(found == volumeList.end() ? -1 : static_cast<int>(found - volumeList.begin()));
    volume = found == volumeList.end() ? std::string() : newVolume;
}

void FileBrowser::showSelectedDrive()
{
    const int index = drives->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= volumeList.size()) {
        volume.clear();
        directoryModel->clear();
        followDirectoryList();
        return;
    }
    volume = volumeList[static_cast<std::size_t>(index)];
    showDirectory(NearestExistingDirectory(lastDirectories->directoryFor(volume), volume));
}

void FileBrowser::followDirectoryList()
{
    const std::string& shown = directoryModel->directory();
    lastDirectories->remember(volume, shown);
    if (files && constructing)
        fileModel->setDirectoryToReadLater(shown);
    else if (files)
        fileModel->setDirectory(shown);
    emit directoryChanged();
}

void FileBrowser::setDirectory(const std::string& directory)
{
    const std::string target = WithoutTrailingSlash(directory);
    const std::string holder = VolumeHolding(volumeList, target);
    if (holder.empty())
        return;  // not an absolute path
    selectDrive(holder);
    showDirectory(target);
}

void FileBrowser::showDirectory(const std::string& directory)
{
    directoryModel->show(volume, directory);
    directories->setCurrentIndex(directoryModel->index(directoryModel->currentRow()));
    followDirectoryList();
}

bool FileBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == directories && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openDirectoryRow(directories->currentIndex());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FileBrowser::openDirectoryRow(const QModelIndex& index)
{
    if (!index.isValid() || volume.empty())
        return;
    const std::string target = directoryModel->row(index.row()).path;  // a copy: the rows are about to go
    showDirectory(target);
}

void FileBrowser::refreshVolumes()
{
    std::vector<std::string> now = sources.volumes();
    if (now == volumeList)
        return;
    volumeList = std::move(now);
    fillDriveSelector();
    if (std::ranges::find(volumeList, volume) != volumeList.end()) {
        selectDrive(volume);
        return;
    }
    // The volume shown went away: its listing with it, and the home volume takes over.
    selectDrive(volumeList.empty() ? std::string() : volumeList.front());
    showSelectedDrive();
}

void FileBrowser::setMask(const QString& mask) { fileModel->setMask(mask); }

void FileBrowser::refresh()
{
    // The same place read again: subdirectories and files may have come or gone.
    if (!volume.empty()) {
        directoryModel->show(volume, directoryModel->directory());
        directories->setCurrentIndex(directoryModel->index(directoryModel->currentRow()));
    }
    if (files)
        fileModel->refresh();
}

std::string FileBrowser::directory() const { return fileModel->directory(); }

int FileBrowser::rowCount() const { return fileModel->rowCount(); }

std::string FileBrowser::name(int row) const
{
    return row >= 0 && row < rowCount() ? fileModel->name(row) : std::string();
}

bool FileBrowser::isSelected(int row) const
{
    return files && files->selectionModel() && files->selectionModel()->isSelected(fileModel->index(row));
}

std::vector<int> FileBrowser::selectedRows() const
{
    std::vector<int> rows;
    if (!files || !files->selectionModel())
        return rows;
    for (const QModelIndex& index : files->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    std::ranges::sort(rows);
    return rows;
}

std::vector<std::string> FileBrowser::allNames() const { return fileModel->allNames(); }
