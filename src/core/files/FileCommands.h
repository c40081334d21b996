#pragma once
// The file-manager commands on the main window's lists: copy, move, delete and rename, each
// for the selected rows or for all of them, rename also for the CD track list. They run
// inside the command dispatcher; questions go through the dialog seam, the directory
// chooser and the rename dialog through FileManagerDialogs, and the file list is read again
// afterwards so that it shows the result. An error (a destination that cannot be created)
// travels out of the command and ends it; the rows handled before it stay done.
#include <functional>
#include <string>
#include <vector>

#include "core/files/FileManagerTexts.h"
#include "core/files/FileManagerViews.h"

struct Settings;

class FileCommands {
public:
    // storeCdInfo: stores the disc's information, track names included, in the CD database
    // (after each CD track renamed, and when a run of renames is cancelled).
    FileCommands(const Settings& settings, const FileManagerViews& views, std::function<void()> storeCdInfo);

    void CopyFiles(bool all);    // Command::CopyFile and CopyAllFiles
    void MoveFiles(bool all);    // Command::MoveFile and MoveAllFiles
    void DeleteFiles(bool all);  // Command::DeleteFile and DeleteAllFiles
    // Command::RenameFile and RenameAllFiles, on the list the source tab shows.
    void RenameFiles(bool all);

    // Refuses (with a word in the information bar) while the CD track list shows; true
    // tells the caller to stop.
    bool RequireFilesMode();

    const FileManagerTexts& texts() const { return shared; }

private:
    void CopyOrMoveFiles(bool all, bool move);
    void renameFileRows(bool all);
    void renameCdTracks(bool all);
    // The rows a command works on: every row when all is set, else the selected ones;
    // the row count is taken once, before any file changes.
    std::vector<int> rowsToHandle(const SourceList& list, bool all) const;
    std::string pathOfRow(int row) const;

    FileManagerWindow& window() const { return *views.window; }
    void showInfo(const std::string& text) const { views.infoBar->showInfo(text); }

    const Settings& settings;
    const FileManagerViews& views;
    std::function<void()> StoreCDInfo;
    FileManagerTexts shared;
};
