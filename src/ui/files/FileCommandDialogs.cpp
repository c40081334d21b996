#include "ui/files/FileCommandDialogs.h"

#include "ui/files/DirectoryChooser.h"
#include "ui/files/RenameDialog.h"

FileCommandDialogs::FileCommandDialogs(DirectoryChooser& chooser, RenameDialog& rename, QWidget* progressOwner)
    : chooser(chooser), rename(rename), progress(progressOwner)
{
}

void FileCommandDialogs::showDirectoryChooser(FileManagerTexts& texts) { chooser.choose(texts); }

void FileCommandDialogs::showRenameDialog(FileManagerTexts& texts) { rename.askNewName(texts); }
