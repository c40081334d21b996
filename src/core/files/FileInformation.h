#pragma once
// The file-information command: one line about the current row of the list the source tab
// shows. For a file its name, attributes, size and last-write time; for a CD track its
// number, name and length, asked of the disc through the media player (which it leaves
// closed). Refusals, and a file that has vanished or cannot be examined, go to the
// information bar; the line itself then keeps what it had.
#include "core/files/FileManagerViews.h"

class MediaPlayer;
struct PlaybackState;

class FileInformation {
public:
    FileInformation(const FileManagerViews& views, const PlaybackState& playback, MediaPlayer& player);

    void ShowFileInfo();  // Command::FileInfo

private:
    void showFileRow();
    void showCdTrackRow();

    FileManagerWindow& window() const { return *views.window; }
    void showInfo(const std::string& text) const { views.infoBar->showInfo(text); }

    const FileManagerViews& views;
    const PlaybackState& playback;
    MediaPlayer& player;
};

// The length of the disc's track in milliseconds: the player is closed, opened on the CD,
// asked, and closed again (also when a request fails, whose error then travels on).
long CdTrackLength(MediaPlayer& player, int track);
