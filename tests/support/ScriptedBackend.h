#pragma once
// A media back end for tests: files and a disc are described up front, nothing makes a
// sound, and the clock moves only when the test advances it.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/playback/MediaBackend.h"

class ScriptedBackend final : public MediaBackend {
public:
    struct Media {
        long length = 0;
        bool opens = true;
        bool failsWhilePlaying = false;  // a failure found only after play started
        int width = 0;                   // video's own size
        int height = 0;
    };

    void addMedia(const std::string& fileName, Media media) { files[fileName] = media; }
    // A disc in the drive, by the lengths of its tracks in ms (no disc: empty).
    // Its tracks are numbered from firstTrack on.
    void insertDisc(std::vector<long> trackLengths, int firstTrack = 1)
    {
        disc = std::move(trackLengths);
        discFirstTrack = firstTrack;
    }
    // The CD-Text of the disc in the drive.
    void setDiscText(DiscText text) { cdText = std::move(text); }
    // Moves the clock; a playing item advances, stopping at its end.
    void advance(long milliseconds);
    // Tells the end listener, from a thread of its own as the real back end does. The clock
    // does not tell by itself: tests that only advance it see the ends at the ticks.
    void reportEnd();

    // Every request made, in order ("open WaveAudio /a.wav", "play", "seek 5000", ...).
    std::vector<std::string> requests;
    std::map<std::string, MusicTags> musicTags;  // what the tag reader finds in a file
    std::string cdDevice;                        // as the session configured it
    bool isOpen() const { return !openDevice.empty(); }

    void open(const std::string& deviceType, const std::string& fileName) override;
    void setCdDevice(const std::string& device) override { cdDevice = device; }
    void close() override;
    void play() override;
    void pause() override;
    void seek(long milliseconds) override;
    long position() override;
    long length() override;
    int numberOfTracks() override;
    int firstTrackNumber() override;
    long trackPosition(int track) override;
    long trackLength(int track) override;
    DiscText discText() override;
    // The disc's tracks back to back from sector 150, 75 sectors a second.
    DiscTableOfContents tableOfContents() override;
    bool canEject() override { return true; }
    void eject() override;
    void setDisplayWindow(unsigned long window) override;
    void setDisplayRect(const DisplayRect& rect) override;
    DisplayRect displayRect() override;
    std::optional<std::string> takeLateFailure() override;
    MusicTags readMusicTags(const std::string& path) override
    {
        const auto found = musicTags.find(path);
        return found == musicTags.end() ? MusicTags{} : found->second;
    }
    void setEndListener(std::function<void()> listener) override { endListener = std::move(listener); }

private:
    void requireOpen() const;

    std::map<std::string, Media> files;
    std::vector<long> disc;
    int discFirstTrack = 1;
    DiscText cdText;
    std::string openDevice;
    Media current;
    long clock = 0;
    bool playing = false;
    bool lateFailurePending = false;
    DisplayRect rect;
    std::function<void()> endListener;
};
