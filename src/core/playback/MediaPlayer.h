#pragma once
// The session's invisible media player: the requests the program makes of it, in
// milliseconds, with at most one device open. Every request but play returns when done;
// a refused request raises SonorailError with the back end's text, and so does a status
// request on a closed player.
#include <memory>
#include <string>

#include "core/playback/MediaBackend.h"

inline constexpr const char* kSequencerDevice = "Sequencer";
inline constexpr const char* kWaveAudioDevice = "WaveAudio";
inline constexpr const char* kVideoDevice = "AVIVideo";
inline constexpr const char* kCdAudioDevice = "CDAudio";

class MediaPlayer {
public:
    explicit MediaPlayer(std::unique_ptr<MediaBackend> backend);
    ~MediaPlayer();

    // select device: remembered for the next open (file name empty for a CD).
    void selectDevice(const std::string& deviceType, const std::string& fileName);
    // Closes a device that is open first.
    void open();
    void close();
    bool isOpen() const { return opened; }
    void setTimeFormatMilliseconds();
    void play();
    void pause();
    void seek(long milliseconds);
    long position();
    long length();
    int numberOfTracks();
    int firstTrackNumber();
    long trackPosition(int track);
    long trackLength(int track);
    DiscText discText();
    DiscTableOfContents tableOfContents();
    // Opens the drive's door, when the device can eject.
    void eject();
    void setDisplayWindow(unsigned long window);
    void setDisplayRect(const DisplayRect& rect);
    DisplayRect displayRect();
    std::optional<std::string> takeLateFailure();
    // Called on the back end's thread when an item ends or fails (see MediaBackend).
    void setEndListener(std::function<void()> listener);

    const std::string& deviceType() const { return selectedDevice; }
    const std::string& fileName() const { return selectedFile; }
    MediaBackend& backend() { return *engine; }

private:
    void requireOpen() const;

    std::unique_ptr<MediaBackend> engine;
    std::string selectedDevice;
    std::string selectedFile;
    bool opened = false;
};
