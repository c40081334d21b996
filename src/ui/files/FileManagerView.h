#pragma once
// The main window's side of the file-manager commands: the file list with its directory, the
// CD track list, the source tabs and the file-information line. It is the
// session's file-manager window; the controls are the main window's.
#include <memory>

#include "core/files/FileManagerWindow.h"

class FileBrowser;
class QLabel;
class QListView;
class QListWidget;
class QTabBar;

class FileManagerView final : public FileManagerWindow {
public:
    struct Controls {
        FileBrowser* browser;
        QListView* fileList;       // object name "FileListBox1"
        QListWidget* cdTrackList;  // "cdlistbox"
        QTabBar* sourceTabs;       // "TabSet1"
        QLabel* fileInfoLine;      // "lblFileInfo"
    };

    explicit FileManagerView(const Controls& controls);
    ~FileManagerView() override;

    bool cdTabShowing() const override;
    const SourceList& fileList() const override;
    std::string fileListDirectory() const override;
    void refreshFileList() override;
    const SourceList& cdList() const override;
    void replaceCdRow(int index, const std::string& entry) override;
    void showFileInfo(const std::string& text) override;
    FileInfoFormats fileInfoFormats() const override;

private:
    class FileRows;
    class CdRows;

    Controls controls;
    std::unique_ptr<FileRows> files;
    std::unique_ptr<CdRows> tracks;
};
