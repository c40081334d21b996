#include "core/files/FileCommands.h"

#include <unistd.h>

#include <cerrno>

#include "core/base/DialogSeam.h"
#include "core/base/Utf8Text.h"
#include "core/base/WithTrailingBackslash.h"
#include "core/cd/CdEntry.h"
#include "core/files/FileRename.h"
#include "core/files/FileTransfer.h"
#include "core/files/NameText.h"
#include "core/files/TransferReport.h"
#include "core/settings/Settings.h"

namespace {

// Ends the progress display however the command ends, an error included.
class ProgressShown {
public:
    explicit ProgressShown(TransferProgress& progress) : progress(progress) {}
    ~ProgressShown() { progress.finish(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    TransferProgress& progress;
};

bool anySelected(const SourceList& list)
{
    for (int row = 0; row < list.rowCount(); ++row)
        if (list.isSelected(row))
            return true;
    return false;
}

int selectedCount(const SourceList& list)
{
    int count = 0;
    for (int row = 0; row < list.rowCount(); ++row)
        count += list.isSelected(row) ? 1 : 0;
    return count;
}

DialogAnswer askToDelete(const std::string& name, DialogButtons buttons)
{
    return DialogSeam::current().ask(DialogKind::Information, "Information",
                                     "Delete file " + Utf8FromLegacyText(name) + "?", buttons);
}

void deleteFile(const std::string& path, const std::string& name, TransferReport& report)
{
    if (::unlink(path.c_str()) != 0)
        report.failed(name, errno);
}

}  // namespace

FileCommands::FileCommands(const Settings& settings, const FileManagerViews& views, std::function<void()> storeCdInfo)
    : settings(settings), views(views), StoreCDInfo(std::move(storeCdInfo))
{
}

bool FileCommands::RequireFilesMode()
{
    if (!window().cdTabShowing())
        return false;
    showInfo("To do that, you need to be in multimedia files mode (not in CD track mode).");
    return true;
}

std::vector<int> FileCommands::rowsToHandle(const SourceList& list, bool all) const
{
    std::vector<int> rows;
    const int count = list.rowCount();
    for (int row = 0; row < count; ++row)
        if (all || list.isSelected(row))
            rows.push_back(row);
    return rows;
}

std::string FileCommands::pathOfRow(int row) const
{
    return WithTrailingBackslash(window().fileListDirectory()) + window().fileList().row(row);
}

void FileCommands::CopyFiles(bool all)
{
    if (RequireFilesMode())
        return;
    if (!all && !anySelected(window().fileList())) {
        showInfo("To copy file(s), at least one must be selected.");
        return;
    }
    shared.directoryPrompt = "Select where to copy the files.";
    CopyOrMoveFiles(all, false);
}

void FileCommands::MoveFiles(bool all)
{
    if (RequireFilesMode())
        return;
    if (!all && !anySelected(window().fileList())) {
        showInfo("To move file(s), at least one must be selected.");
        return;
    }
    shared.directoryPrompt = "Select where to move the files.";
    CopyOrMoveFiles(all, true);
}

void FileCommands::CopyOrMoveFiles(bool all, bool move)
{
    views.dialogs->showDirectoryChooser(shared);
    if (!shared.directoryWasChosen())
        return;
    const std::string destinationDirectory = WithTrailingBackslash(shared.chosenDirectory);
    TransferReport report(move ? "moved" : "copied");
    TransferProgress& progress = views.dialogs->transferProgress();
    {
        ProgressShown shown(progress);
        const CopyProgress advance = [&progress](std::uint64_t copied, std::uint64_t size) {
            return progress.advance(copied, size);
        };
        for (const int row : rowsToHandle(window().fileList(), all)) {
            const std::string name = window().fileList().row(row);
            progress.startFile(Utf8FromLegacyText(name), move);
            const std::string source = pathOfRow(row);
            const std::string destination = destinationDirectory + name;
            const TransferResult result =
                move ? MoveOneFile(source, destination, advance) : CopyOneFile(source, destination, advance);
            if (result.outcome == TransferOutcome::SameFile)
                report.sameFile(name);
            else if (result.outcome == TransferOutcome::SourceUnreadable || result.outcome == TransferOutcome::Failed)
                report.failed(name, result.error);
            else if (result.outcome == TransferOutcome::Cancelled) {
                report.cancelled(name);
                break;
            }
        }
    }
    window().refreshFileList();
    if (const std::string message = report.message(); !message.empty())
        showInfo(message);
}

void FileCommands::DeleteFiles(bool all)
{
    if (RequireFilesMode())
        return;
    const SourceList& list = window().fileList();
    if (!all && !anySelected(list)) {
        showInfo("To delete file(s), at least one must be selected.");
        return;
    }
    TransferReport report("deleted");
    const bool confirm = settings.optConfirmDeleteFile;
    if (!all && selectedCount(list) == 1) {
        const int row = rowsToHandle(list, false).front();
        const std::string name = list.row(row);
        if (confirm && askToDelete(name, DialogButtons::YesNo) != DialogAnswer::Yes)
            return;
        deleteFile(pathOfRow(row), name, report);
    } else {
        bool yesToAll = false;
        for (const int row : rowsToHandle(list, all)) {
            const std::string name = list.row(row);
            if (confirm && !yesToAll) {
                const DialogAnswer answer = askToDelete(name, DialogButtons::YesNoAll);
                if (answer == DialogAnswer::No)
                    continue;
                yesToAll = answer == DialogAnswer::All;
            }
            deleteFile(pathOfRow(row), name, report);
        }
    }
    window().refreshFileList();
    if (const std::string message = report.message(); !message.empty())
        showInfo(message);
}

void FileCommands::RenameFiles(bool all)
{
    shared.renameNote.clear();
    if (window().cdTabShowing())
        renameCdTracks(all);
    else
        renameFileRows(all);
}

void FileCommands::renameFileRows(bool all)
{
    if (!all && !anySelected(window().fileList())) {
        showInfo("To rename file(s), at least one must be selected.");
        return;
    }
    TransferReport report("renamed");
    for (const int row : rowsToHandle(window().fileList(), all)) {
        shared.renameFrom = pathOfRow(row);
        shared.renameTo = shared.renameFrom;
        views.dialogs->showRenameDialog(shared);
        if (shared.renameTo == kRenameCancelledAll)
            break;
        if (shared.renameTo == kRenameCancelled)
            continue;
        const std::string target = RenameTargetPath(window().fileListDirectory(), shared.renameTo);
        if (const int error = RenameWithoutReplacing(shared.renameFrom, target))
            report.failed(window().fileList().row(row), error);
    }
    window().refreshFileList();
    if (const std::string message = report.message(); !message.empty())
        showInfo(message);
}

void FileCommands::renameCdTracks(bool all)
{
    if (!all && !anySelected(window().cdList())) {
        showInfo("To rename file(s), at least one must be selected.");
        return;
    }
    for (const int row : rowsToHandle(window().cdList(), all)) {
        const std::string entry = window().cdList().row(row);
        shared.renameFrom = CdEntry::trackName(entry);
        shared.renameTo = shared.renameFrom;
        shared.renameNote = "Track #" + std::to_string(row + 1);
        views.dialogs->showRenameDialog(shared);
        if (shared.renameTo == kRenameCancelledAll) {
            StoreCDInfo();
            return;
        }
        if (shared.renameTo == kRenameCancelled)
            continue;
        window().replaceCdRow(row, CdEntry::renamed(entry, shared.renameTo));
        StoreCDInfo();
    }
}
