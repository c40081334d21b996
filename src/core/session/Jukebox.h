#pragma once
// The player session: everything a run of the program plays and keeps, without a window.
// It owns the settings, the play modes, the playback state, the play queue and its editing,
// the albums, the media player with the engine and the monitor that drive it, the CD mode
// with its database, the file-manager commands, the toolbar's dock state, the start-up of a
// run in its fixed order and the exit check, and it gives the command dispatcher the
// operations of the commands it carries out.
//
// The windows are views of the session. As each window is created it attaches the views it
// implements (the information bar, the queue's window, the playback display, the video
// area, the viewer, the CD panel, the file manager's lists and dialogs, the windows the dock
// places), and the session points its parts at them; a view not attached yet shows nothing.
// A window that goes before the session takes its views back.
#include <memory>
#include <string>
#include <vector>

#include "core/albums/Albums.h"
#include "core/cd/CdMode.h"
#include "core/base/CommandControl.h"
#include "core/files/FileCommands.h"
#include "core/files/FileInformation.h"
#include "core/files/FileManagerViews.h"
#include "core/playback/MediaBackend.h"
#include "core/playback/MediaPlayer.h"
#include "core/playback/PlayModes.h"
#include "core/playback/PlaybackEngine.h"
#include "core/playback/PlaybackMonitor.h"
#include "core/playback/PlaybackState.h"
#include "core/playback/PlaybackViews.h"
#include "core/queue/PlayQueue.h"
#include "core/queue/QueueEditing.h"
#include "core/session/ConfirmExit.h"
#include "core/session/StartupWindow.h"
#include "core/settings/Settings.h"
#include "core/toolbar/ToolbarDock.h"

class Jukebox final : private ExitActions {
public:
    // backend: what plays (libVLC in the program, a scripted one in tests); arguments: the
    // program's own command line, read at start-up.
    Jukebox(std::unique_ptr<MediaBackend> backend, CommandControl& commands, std::vector<std::string> arguments);
    ~Jukebox() override;
    Jukebox(const Jukebox&) = delete;
    Jukebox& operator=(const Jukebox&) = delete;

    Settings& settings() { return currentSettings; }
    PlayModes& playModes() { return modes; }
    PlaybackState& playback() { return playbackState; }
    PlayQueue& playQueue() { return queue; }
    QueueEditing& queueEditing() { return editing; }
    Albums& albums() { return albumFiles; }
    MediaPlayer& player() { return mediaPlayer; }
    PlaybackEngine& engine() { return playbackEngine; }
    PlaybackMonitor& monitor() { return playbackMonitor; }
    CdMode& cd() { return cdMode; }
    FileCommands& fileCommands() { return fileManager; }
    FileInformation& fileInformation() { return fileInfo; }
    ToolbarDock& toolbarDock() { return dock; }

    // The views of the windows; nullptr takes one back (nothing is shown there any more).
    void attachInformationBar(InformationBar* bar);
    void attachQueueWindow(QueueWindow* window);
    void attachDisplay(PlaybackDisplay* display);
    void attachVideoArea(VideoArea* area);
    void attachViewer(Viewer* viewer);
    void attachCdView(CdView* view);
    void attachDiscLookup(DiscLookup* lookup);
    void attachFileManagerWindow(FileManagerWindow* window);
    void attachFileManagerDialogs(FileManagerDialogs* dialogs);
    void attachDockWindows(DockWindows* windows);

    // The initialisation of a run, in its fixed order; the main window's creation runs it.
    void StartupInitialise(StartupWindow& window);
    // The command line asked for a minimised main window ("/m").
    bool startsMinimised() const { return startMinimised; }

    // The exit check of every way out: asks while something plays (when mayAsk and the
    // settings say so), stops playback, saves the default album. True when the program may
    // end; false when the user chose to stay. An error on the way (the default album cannot
    // be written) travels to the caller, so the program stays open.
    bool ConfirmExit(bool mayAsk = true);
    // Only the exit check's question (while something plays, as the settings say): true
    // unless the user chose to stay. Nothing is stopped or saved.
    bool exitQuestionAllows() const;

private:
    void registerCommands();
    void LoadSettings(StartupWindow& window);
    void ApplyCommandLine();

    // ExitActions
    bool multimediaPlaying() const override;
    void stopPlayback() override;
    void saveDefaultAlbum(bool mayAsk) override;

    CommandControl& commands;
    std::vector<std::string> arguments;
    Settings currentSettings;
    PlayModes modes;
    PlaybackState playbackState;
    PlayQueue queue;
    QueueViews queueViews;
    QueueEditing editing{queue, currentSettings, queueViews};
    Albums albumFiles{queue, editing, currentSettings, queueViews};
    MediaPlayer mediaPlayer;
    ToolbarDock dock;
    PlaybackViews playbackViews;
    PlaybackEngine playbackEngine{queue, modes, playbackState, mediaPlayer, playbackViews};
    PlaybackMonitor playbackMonitor{playbackEngine, playbackState, mediaPlayer, playbackViews};
    CdViews cdViews;
    CdMode cdMode{mediaPlayer, playbackState, queue, editing, commands, cdViews, currentSettings};
    FileManagerViews fileViews;
    FileCommands fileManager{currentSettings, fileViews, [this] { cdMode.StoreCDInfo(); }};
    FileInformation fileInfo{fileViews, playbackState, mediaPlayer};
    bool startMinimised = false;
};
