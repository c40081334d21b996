#pragma once
// The file-manager commands' dialogs as the windows show them: the directory chooser, the
// rename dialog and the progress of a copy or move. It attaches itself to the session as its
// file-manager dialogs, and takes itself back. The directory chooser and the rename dialog
// are asked for at their first use: few runs copy, move or rename, and a chooser reads the
// volumes, lists its directory and watches the mount table from the moment it exists.
#include <functional>

#include "core/files/FileManagerDialogs.h"
#include "ui/files/TransferProgressDialog.h"

class DirectoryChooser;
class Jukebox;
class RenameDialog;

class FileCommandDialogs final : public FileManagerDialogs {
public:
    // progressOwner: the window the progress dialog stands over.
    // chooser, rename: give the one directory chooser and rename dialog, each made on its
    // first call and kept.
    FileCommandDialogs(Jukebox& session, std::function<DirectoryChooser&()> chooser,
                       std::function<RenameDialog&()> rename, QWidget* progressOwner);
    // With a rename dialog that exists already.
    FileCommandDialogs(Jukebox& session, std::function<DirectoryChooser&()> chooser, RenameDialog& rename,
                       QWidget* progressOwner);
    ~FileCommandDialogs() override;
    FileCommandDialogs(const FileCommandDialogs&) = delete;
    FileCommandDialogs& operator=(const FileCommandDialogs&) = delete;

    void showDirectoryChooser(FileManagerTexts& texts) override;
    void showRenameDialog(FileManagerTexts& texts) override;
    TransferProgress& transferProgress() override { return progress; }

private:
    Jukebox& session;
    std::function<DirectoryChooser&()> chooser;
    std::function<RenameDialog&()> rename;
    TransferProgressDialog progress;
};
