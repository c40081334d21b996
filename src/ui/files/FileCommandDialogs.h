#pragma once
// The file-manager commands' dialogs as the windows show them: the directory chooser, the
// rename dialog and the progress of a copy or move.
#include "core/files/FileManagerDialogs.h"
#include "ui/files/TransferProgressDialog.h"

class DirectoryChooser;
class RenameDialog;

class FileCommandDialogs final : public FileManagerDialogs {
public:
    // progressOwner: the window the progress dialog stands over.
    FileCommandDialogs(DirectoryChooser& chooser, RenameDialog& rename, QWidget* progressOwner);

    void showDirectoryChooser(FileManagerTexts& texts) override;
    void showRenameDialog(FileManagerTexts& texts) override;
    TransferProgress& transferProgress() override { return progress; }

private:
    DirectoryChooser& chooser;
    RenameDialog& rename;
    TransferProgressDialog progress;
};
