#include "ui/files/FileCommandDialogs.h"

#include "core/session/Jukebox.h"
#include "ui/files/DirectoryChooser.h"
#include "ui/files/RenameDialog.h"

FileCommandDialogs::FileCommandDialogs(Jukebox& session, std::function<DirectoryChooser&()> chooser,
                                       std::function<RenameDialog&()> rename, QWidget* progressOwner)
    : session(session), chooser(std::move(chooser)), rename(std::move(rename)), progress(progressOwner)
{
    session.attachFileManagerDialogs(this);
}

FileCommandDialogs::FileCommandDialogs(Jukebox& session, std::function<DirectoryChooser&()> chooser,
                                       RenameDialog& rename, QWidget* progressOwner)
    : FileCommandDialogs(
          session, std::move(chooser), [&rename]() -> RenameDialog& { return rename; }, progressOwner)
{
}

FileCommandDialogs::~FileCommandDialogs() { session.attachFileManagerDialogs(nullptr); }

void FileCommandDialogs::showDirectoryChooser(FileManagerTexts& texts) { chooser().choose(texts); }

void FileCommandDialogs::showRenameDialog(FileManagerTexts& texts) { rename().askNewName(texts); }
