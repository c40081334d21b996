#pragma once
// Albums: the play queue saved to a file and read back, and the default album that keeps
// the queue from one run to the next.
#include <string>
#include <vector>

#include "core/queue/QueueEditing.h"
#include "core/base/DialogSeam.h"
#include "core/settings/Settings.h"

extern const char* const kConfirmOpenAlbumText;
extern const char* const kConfirmSaveDefaultAlbumText;
extern const char* const kConfirmLoadDefaultAlbumText;
extern const char* const kDefaultAlbumName;  // "default.alb", in ProgramDir

class Albums {
public:
    Albums(PlayQueue& queue, QueueEditing& editing, const Settings& settings, const QueueViews& views);

    // Command::OpenAlbum: replaces the queue with a chosen album or playlist. The file is read
    // before the queue is touched, so one that cannot be read leaves the queue as it was.
    void OpenAlbum();
    // Command::SaveAlbum: writes the queue to a chosen album or M3U8 playlist.
    void SaveAlbum();
    // At exit, as optSaveDefaultAlbumWhenDone says. mayAsk false when no one can answer
    // (the session is ending): "Prompt" then saves nothing. A failed write raises its error,
    // so the exit does not take place.
    void SaveDefaultAlbum(bool mayAsk);
    // At start-up, as optLoadDefaultAlbumWhenStart says.
    void LoadDefaultAlbum();

private:
    void replaceQueue(std::vector<std::string> texts);
    std::vector<std::string> queueTexts() const;
    bool confirm(DialogKind kind, const char* question) const;

    PlayQueue& queue;
    QueueEditing& editing;
    const Settings& settings;
    const QueueViews& views;
    // Each file dialog offers the file last chosen in it.
    std::string lastOpenedFile;
    std::string lastSavedFile;
};
