#pragma once
// The file-manager commands' dialogs as the windows show them: the directory chooser, the
// rename dialog and the progress of a copy or move. Made once the two dialogs exist, it
// attaches itself to the session as its file-manager dialogs, and takes itself back.
#include "core/files/FileManagerDialogs.h"
#include "ui/files/TransferProgressDialog.h"

class DirectoryChooser;
class Jukebox;
class RenameDialog;

class FileCommandDialogs final : public FileManagerDialogs {
public:
    // progressOwner: the window the progress dialog stands over.
    FileCommandDialogs(Jukebox& session, DirectoryChooser& chooser, RenameDialog& rename, QWidget* progressOwner);
    ~FileCommandDialogs() override;
    FileCommandDialogs(const FileCommandDialogs&) = delete;
    FileCommandDialogs& operator=(const FileCommandDialogs&) = delete;

    void showDirectoryChooser(FileManagerTexts& texts) override;
    void showRenameDialog(FileManagerTexts& texts) override;
    TransferProgress& transferProgress() override { return progress; }

private:
    Jukebox& session;
    DirectoryChooser& chooser;
    RenameDialog& rename;
    TransferProgressDialog progress;
};
