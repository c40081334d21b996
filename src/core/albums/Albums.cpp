#include "core/albums/Albums.h"

#include <filesystem>

#include "core/albums/AlbumFiles.h"
#include "core/base/DialogSeam.h"
#include "core/base/ProgramPaths.h"

const char* const kConfirmOpenAlbumText =
    "The queue is not empty and when you open an album the queue's current items will be removed.  Continue?";
const char* const kConfirmSaveDefaultAlbumText = "Do you want to save the queue as the default album?";
const char* const kConfirmLoadDefaultAlbumText = "Do you want to load the default album into the queue?";
const char* const kDefaultAlbumName = "default.alb";

namespace {

constexpr int kM3u8Filter = 1;  // the save dialog's second type

FileDialogFilter albumFilter() { return {"Album Files (*.ALB)", {"*.ALB"}, "alb"}; }

// The open dialog, OpenAlbDialog: albums first, playlists of other players beside them.
FileDialogRequest OpenAlbDialog(const std::string& lastFile)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.filters = {albumFilter(), {"Playlists (*.m3u *.m3u8 *.pls)", {"*.m3u", "*.m3u8", "*.pls"}, "alb"}};
    request.initialFile = lastFile;
    return request;
}

// The save dialog, savealbdialog: albums first, an M3U8 playlist beside them.
FileDialogRequest savealbdialog(const std::string& lastFile)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filters = {albumFilter(), {"M3U8 playlist (*.m3u8)", {"*.m3u8"}, "m3u8"}};
    request.initialFile = lastFile;
    return request;
}

bool fileExists(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

// The chosen name with the default extension when it has none; a name the user picked
// from the list (an existing file without extension) stays as it is.
std::string albumToOpen(const std::string& chosen)
{
    if (HasExtension(chosen) || fileExists(chosen))
        return chosen;
    return WithDefaultExtension(chosen, "alb");
}

std::string replaceQuestion(const std::string& path) { return path + " already exists.\r\nDo you want to replace it?"; }

}  // namespace

Albums::Albums(PlayQueue& queue, QueueEditing& editing, const Settings& settings, const QueueViews& views)
    : queue(queue), editing(editing), settings(settings), views(views)
{
}

void Albums::OpenAlbum()
{
    const std::optional<FileDialogChoice> choice = DialogSeam::current().chooseFile(OpenAlbDialog(lastOpenedFile));
    if (!choice) {
        editing.ValidateQueue();
        return;
    }
    const std::string path = albumToOpen(choice->path);
    lastOpenedFile = path;
    if (settings.optConfirmOpenWhenQueueNotEmpty && !queue.empty() &&
        !confirm(DialogKind::Warning, kConfirmOpenAlbumText))
        return;
    replaceQueue(ReadAlbumFile(path));
    views.infoBar->showInfo("Opened album " + path);
    editing.ValidateQueue();
}

void Albums::SaveAlbum()
{
    if (editing.QueueIsEmpty(true))
        return;
    for (;;) {
        const std::optional<FileDialogChoice> choice = DialogSeam::current().chooseFile(savealbdialog(lastSavedFile));
        if (!choice)
            return;
        const bool asPlaylist = choice->filter == kM3u8Filter;
        const std::string path = WithDefaultExtension(choice->path, asPlaylist ? "m3u8" : "alb");
        // The dialog asked about the name it was given; a name we completed is asked here.
        if (path != choice->path && fileExists(path) &&
            DialogSeam::current().ask(DialogKind::Warning, kApplicationTitle, replaceQuestion(path),
                                      DialogButtons::YesNo) != DialogAnswer::Yes)
            continue;
        lastSavedFile = path;
        WriteAlbumFile(path, queueTexts(), asPlaylist ? AlbumFileFormat::M3u8 : AlbumFileFormat::Album);
        return;
    }
}

void Albums::SaveDefaultAlbum(bool mayAsk)
{
    if (queue.empty())
        return;
    if (settings.optSaveDefaultAlbumWhenDone == daNo)
        return;
    if (settings.optSaveDefaultAlbumWhenDone == daPrompt &&
        (!mayAsk || !confirm(DialogKind::Information, kConfirmSaveDefaultAlbumText)))
        return;
    WriteAlbumFile(ProgramDir() + kDefaultAlbumName, queueTexts(), AlbumFileFormat::Album);
}

void Albums::LoadDefaultAlbum()
{
    const std::string path = ProgramDir() + kDefaultAlbumName;
    if (!fileExists(path)) {
        editing.ValidateQueue();
        return;
    }
    if (settings.optLoadDefaultAlbumWhenStart == daNo)
        return;
    if (settings.optLoadDefaultAlbumWhenStart == daPrompt &&
        !confirm(DialogKind::Information, kConfirmLoadDefaultAlbumText))
        return;
    replaceQueue(ReadAlbumFile(path, AlbumFileFormat::Album));
    editing.ValidateQueue();
}

void Albums::replaceQueue(std::vector<std::string> texts)
{
    std::vector<QueueEntry> entries;
    entries.reserve(texts.size());
    for (std::string& text : texts) {
        std::string shortName = QueueShortName(text);
        entries.push_back({std::move(text), std::move(shortName)});
    }
    PlayQueue::Batch batch(queue);
    queue.clear();
    queue.insert(0, std::move(entries));
}

std::vector<std::string> Albums::queueTexts() const
{
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(queue.count()));
    for (int row = 0; row < queue.count(); ++row)
        texts.push_back(queue.entry(row).text);
    return texts;
}

bool Albums::confirm(DialogKind kind, const char* question) const
{
    return DialogSeam::current().ask(kind, kApplicationTitle, question, DialogButtons::YesNo) == DialogAnswer::Yes;
}
