#pragma once
// The file browser of the main window: the drive selector, the directory list and the file
// list, linked as the old form linked them, only through their change handlers:
//   showSelectedDrive: the volume's current directory into the directory list
//   followDirectoryList: the directory list's directory into the file list
// The rules (which volumes, where each one opens, what the directory list shows) are plain
// functions and classes; this class only wires them to the views.
#include <QAbstractListModel>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/files/DirectoryListing.h"
#include "core/files/MountedVolumes.h"

class FileListModel;
class QComboBox;
class QListView;
class VolumeWatcher;

// One row of the directory list: the directories from the volume's root down to the
// current one, then the current one's subdirectories one step further in.
struct DirectoryRow {
    std::string path;
    std::string name;  // the root shows its whole path, every other row its last component
    int depth = 0;
    bool onChain = false;  // the root, a directory above the current one, or the current one
};
std::vector<DirectoryRow> DirectoryRows(std::string_view root, std::string_view directory,
                                        const std::vector<std::string>& subdirectories);

class DirectoryListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Reads the subdirectories of `directory` and shows it on the chain below `root`.
    void show(const std::string& root, const std::string& directory);
    void clear();

    const std::string& directory() const { return current; }
    int currentRow() const;
    const DirectoryRow& row(int index) const { return rows.at(static_cast<std::size_t>(index)); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::string current;
    std::vector<DirectoryRow> rows;
};

// Where the browser takes its volumes and its first directory from; tests give their own.
struct FileBrowserSources {
    std::function<std::vector<std::string>()> volumes = ReadMountedVolumes;  // home first
    std::function<std::string()> startDirectory = CurrentWorkingDirectory;
    bool watchMountTable = true;
};

// Without a file list (files nullptr) it is a directory chooser: the drive selector and the
// directory list alone, no directory's files read.
class FileBrowser : public QObject {
    Q_OBJECT
public:
    FileBrowser(QComboBox* drives, QListView* directories, QListView* files, QObject* parent = nullptr);
    FileBrowser(QComboBox* drives, QListView* directories, QListView* files, FileBrowserSources sources,
                QObject* parent = nullptr);
    ~FileBrowser() override;

    // The change handlers of the three controls.
    void showSelectedDrive();
    void followDirectoryList();

    // Shows `directory` on the volume holding it (its drive selected, remembered there).
    void setDirectory(const std::string& directory);
    // Takes the volume list again; the current volume gone, the browser moves to the home one.
    void refreshVolumes();

    // The file list. A mask equal to the current one changes nothing.
    void setMask(const QString& mask);
    // Reads the directory shown again, its subdirectories and its files.
    void refresh();
    // The directory shown, as bytes, without a trailing "/" (but "/" itself).
    std::string directory() const;
    int rowCount() const;
    std::string name(int row) const;
    bool isSelected(int row) const;
    std::vector<int> selectedRows() const;  // ascending
    std::vector<std::string> allNames() const;

    const std::vector<std::string>& volumes() const { return volumeList; }
    const std::string& currentVolume() const { return volume; }
    const DirectoryListModel& directoryList() const { return *directoryModel; }
    const FileListModel& fileList() const { return *fileModel; }

signals:
    void directoryChanged();

protected:
    // Enter in the directory list opens the current row.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillDriveSelector();
    void selectDrive(const std::string& newVolume);  // without running the change handler
    void showDirectory(const std::string& directory);
    void openDirectoryRow(const QModelIndex& index);

    QComboBox* drives;
    QListView* directories;
    QListView* files;
    FileBrowserSources sources;
    DirectoryListModel* directoryModel;
    FileListModel* fileModel;
    VolumeWatcher* watcher = nullptr;
    std::vector<std::string> volumeList;
    std::string volume;
    std::unique_ptr<VolumeDirectories> lastDirectories;
    bool constructing = true;
};
