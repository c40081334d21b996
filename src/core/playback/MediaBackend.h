#pragma once
// What plays sound, video and CD audio for the media player. One interface, two
// implementations: libVLC with libcdio for the real thing, and a scripted back end whose
// clock tests move by hand.
#include <functional>
#include <optional>
#include <string>

#include "core/playback/DiscTableOfContents.h"
#include "core/playback/DiscText.h"
#include "core/queue/MusicTags.h"

// Left, top, right, bottom as the player reports them; right and bottom of zero with a
// zero left and top mean "the video's own size".
struct DisplayRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const DisplayRect&, const DisplayRect&) = default;
};

class MediaBackend {
public:
    virtual ~MediaBackend() = default;

    // Opens the device ("Sequencer", "WaveAudio", "AVIVideo" or "CDAudio") on fileName (empty
    // for a CD) and returns once the length is known. Refusals throw SonorailError with the
    // back end's own text.
    virtual void open(const std::string& deviceType, const std::string& fileName) = 0;
    // The drive or CD image that "CDAudio" opens from the next open on, as the settings name
    // it (empty: the system's default drive). A back end without real discs ignores it.
    virtual void setCdDevice(const std::string& device) { static_cast<void>(device); }
    virtual void close() = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void seek(long milliseconds) = 0;
    // Milliseconds; once the item has played to its end the position equals the length.
    virtual long position() = 0;
    virtual long length() = 0;  // for a CD the whole disc
    virtual int numberOfTracks() = 0;
    // The number the disc gives its first track (most discs start at 1; the others count on
    // from there without gaps); 1 for a file.
    virtual int firstTrackNumber() { return 1; }
    virtual long trackPosition(int track) = 0;  // from the disc's start
    virtual long trackLength(int track) = 0;
    // The CD-Text of the open disc; empty for a disc without it and for a file.
    virtual DiscText discText() = 0;
    // The open disc's table of contents in sectors; empty for a file, and from a back end
    // that cannot tell.
    virtual DiscTableOfContents tableOfContents() { return {}; }
    virtual bool canEject() = 0;
    virtual void eject() = 0;
    // The native window video is drawn into (an X11 window id; 0 for none).
    virtual void setDisplayWindow(unsigned long window) = 0;
    virtual void setDisplayRect(const DisplayRect& rect) = 0;
    virtual DisplayRect displayRect() = 0;
    // A failure the back end met after play had started (a broken file found while
    // decoding). Handed out once; the item counts as ended from then on.
    virtual std::optional<std::string> takeLateFailure() = 0;

    // Who is told, on the back end's own thread, that the item has just played to its end
    // or failed while playing, so that the end need not wait for the next look at the
    // position. The listener only hands the news on (it must not call the back end); an
    // empty one tells nobody. Once this returns, the previous listener is not running and is
    // not called again. A back end that cannot tell (the scripted one of the tests) ignores it.
    virtual void setEndListener(std::function<void()> listener) { static_cast<void>(listener); }

    // The tags, stream facts and front cover of a music or video file, whatever is open; a
    // back end that reads no tags (the scripted one) knows none.
    virtual MusicTags readMusicTags(const std::string& path)
    {
        static_cast<void>(path);
        return {};
    }
};
