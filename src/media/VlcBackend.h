#pragma once
// The media back end the program plays with: libVLC decodes and plays files and CD tracks,
// libcdio reads the disc's table of contents.
//
// libVLC starts at the first request that needs it (opening a file, playing a disc), not when
// the back end is made: its start costs about as much as the program's whole start-up. Its
// instance then stays for the rest of the process, shared by every back end (see SharedVlc
// in the .cpp for why it is never released); each back end has a player of its own.
//
// Requests come from one thread (the UI thread). libVLC reports the end of an item and late
// failures on its own threads; those reports are kept behind a mutex inside the engine, and
// the end listener is told of them from there.
//
// Output: with no X display, or with SONORAIL_HEADLESS_MEDIA=1 in the environment, sound
// and pictures go to libVLC's dummy outputs (build servers have neither screen nor sound
// card); SONORAIL_HEADLESS_MEDIA=0 asks for the real outputs even without a display.
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "media/CdDisc.h"
#include "core/playback/MediaBackend.h"

class VlcBackend final : public MediaBackend {
public:
    VlcBackend();
    ~VlcBackend() override;
    VlcBackend(const VlcBackend&) = delete;
    VlcBackend& operator=(const VlcBackend&) = delete;

    // Starts libVLC and this back end's player now instead of at the first request that needs
    // them (no-op once started). Throws SonorailError when libVLC cannot start.
    void startEngine();
    bool engineStarted() const { return engine != nullptr; }

    // Files ("Sequencer", "WaveAudio", "AVIVideo") are parsed before open returns, so the
    // length and a video's own size are known at once. "CDAudio" opens the device given to
    // setCdDevice (a drive, or a .cue image; relative to ProgramDir unless absolute), else
    // libcdio's default drive.
    void open(const std::string& deviceType, const std::string& fileName) override;
    void setCdDevice(const std::string& device) override;
    void close() override;
    // Plays from the current position; at the end of the item it does nothing. A disc plays
    // one track at a time: it halts at the end of the track it started in, and a later play
    // goes on with the next track.
    void play() override;
    void pause() override;
    // Past the end halts the item at its end.
    void seek(long milliseconds) override;
    long position() override;
    long length() override;
    // A file counts as one track that spans it.
    int numberOfTracks() override;
    int firstTrackNumber() override;
    long trackPosition(int track) override;
    long trackLength(int track) override;
    DiscText discText() override;
    DiscTableOfContents tableOfContents() override;
    // True for a drive. Ejecting releases the disc (an image is only released): the disc
    // then reads as played to its end, and the next open reads the drive anew.
    bool canEject() override;
    void eject() override;
    // Video is drawn into the X11 window at its own size (libVLC centres it there, so the
    // window is best made just that size). A window set while a video plays is used from the
    // video's next start. Closing forgets the window and the rect.
    void setDisplayWindow(unsigned long window) override;
    // Remembered as given; an all-zero rect stands for the video's own size, which
    // displayRect then answers as {0, 0, width, height} ({} for sound and discs).
    void setDisplayRect(const DisplayRect& rect) override;
    DisplayRect displayRect() override;
    std::optional<std::string> takeLateFailure() override;
    // Called on libVLC's event thread when the media libVLC plays ends or fails.
    void setEndListener(std::function<void()> listener) override;
    MusicTags readMusicTags(const std::string& path) override;

private:
    struct Engine;

    // The stretch of the item's timeline that one libVLC media covers: the whole file, or
    // one track of the disc. Milliseconds from the item's start.
    struct Segment {
        int track = 0;  // 0 for a file
        long start = 0;
        long end = 0;
    };

    enum class Kind { Closed, File, Disc };
    enum class Run { Idle, Playing, Paused };

    Engine& startedEngine();
    void requireOpen() const;
    void openFile(const std::string& fileName);
    void openDisc();
    Segment segmentAt(long position) const;
    std::string segmentName(const Segment& segment) const;
    void startAt(long position);
    void startClock(long offset);
    long clockOffset() const;
    void resume();
    void haltAt(long position);
    long engineTime();
    void holdPosition(long offset);
    bool releasesHold(long time) const;
    void noticeEngineReports();
    long playingPosition();

    std::unique_ptr<Engine> engine;  // null until first needed
    Kind kind = Kind::Closed;
    std::string fileName;
    std::string cdDevice;  // as configured: empty for the default drive
    std::optional<CdDisc> disc;
    long itemLength = 0;
    int videoWidth = 0;
    int videoHeight = 0;

    Run run = Run::Idle;
    Segment loaded;           // what libVLC was last given to play
    long idlePosition = 0;    // the position while nothing plays
    long pausedPosition = 0;  // the position reported while paused
    // Right after a start, a seek or a resume libVLC still reports its old time for a moment
    // (it tells the time four times a second); the requested offset is reported instead
    // until libVLC's time has moved and arrived near it.
    struct Hold {
        long offset = 0;           // within the loaded media
        long engineTimeThen = -1;  // libVLC's time when the request was made
        std::chrono::steady_clock::time_point since;
    };
    std::optional<Hold> hold;
    // The item's own clock, which the end waits for: libVLC may be done with a media long
    // before its sound is (see the .cpp). Runs while playing, from the last start, resume
    // or seek.
    struct SoundClock {
        long offset = 0;  // within the loaded media
        std::chrono::steady_clock::time_point since;
    };
    std::optional<SoundClock> clock;
    std::chrono::steady_clock::time_point soundEnd;  // when the clock reaches the media's end
    bool engineDone = false;                         // libVLC reported the end of the loaded media

    unsigned long displayWindow = 0;
    DisplayRect requestedRect;
    std::function<void()> endListener;  // handed to the engine when it starts
};
