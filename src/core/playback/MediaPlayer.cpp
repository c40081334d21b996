#include "core/playback/MediaPlayer.h"

#include "core/base/SonorailError.h"

MediaPlayer::MediaPlayer(std::unique_ptr<MediaBackend> backend) : engine(std::move(backend)) {}

MediaPlayer::~MediaPlayer()
{
    if (opened) {
        try {
            engine->close();
        } catch (const SonorailError&) {
            // Nothing can be reported while the program ends.
        }
    }
}

void MediaPlayer::selectDevice(const std::string& deviceType, const std::string& fileName)
{
    selectedDevice = deviceType;
    selectedFile = fileName;
}

void MediaPlayer::open()
{
    if (opened)
        close();
    engine->open(selectedDevice, selectedFile);
    opened = true;
}

void MediaPlayer::close()
{
    if (!opened)
        return;
    opened = false;
    engine->close();
}

void MediaPlayer::requireOpen() const
{
    if (!opened)
        throw SonorailError("The specified device is not open or is not recognized");
}

// Positions and lengths are always milliseconds here; the request stays because the
// callers make it after every open, and it fails on a closed player like the others.
void MediaPlayer::setTimeFormatMilliseconds() { requireOpen(); }

void MediaPlayer::play()
{
    requireOpen();
    engine->play();
}

void MediaPlayer::pause()
{
    requireOpen();
    engine->pause();
}

void MediaPlayer::seek(long milliseconds)
{
    requireOpen();
    engine->seek(milliseconds);
}

long MediaPlayer::position()
{
    requireOpen();
    return engine->position();
}

long MediaPlayer::length()
{
    requireOpen();
    return engine->length();
}

int MediaPlayer::numberOfTracks()
{
    requireOpen();
    return engine->numberOfTracks();
}

int MediaPlayer::firstTrackNumber()
{
    requireOpen();
    return engine->firstTrackNumber();
}

long MediaPlayer::trackPosition(int track)
{
    requireOpen();
    return engine->trackPosition(track);
}

long MediaPlayer::trackLength(int track)
{
    requireOpen();
    return engine->trackLength(track);
}

DiscText MediaPlayer::discText()
{
    requireOpen();
    return engine->discText();
}

DiscTableOfContents MediaPlayer::tableOfContents()
{
    requireOpen();
    return engine->tableOfContents();
}

void MediaPlayer::eject()
{
    requireOpen();
    if (engine->canEject())
        engine->eject();
}

void MediaPlayer::setDisplayWindow(unsigned long window)
{
    requireOpen();
    engine->setDisplayWindow(window);
}

void MediaPlayer::setDisplayRect(const DisplayRect& rect)
{
    requireOpen();
    engine->setDisplayRect(rect);
}

DisplayRect MediaPlayer::displayRect()
{
    requireOpen();
    return engine->displayRect();
}

std::optional<std::string> MediaPlayer::takeLateFailure() { return opened ? engine->takeLateFailure() : std::nullopt; }

void MediaPlayer::setEndListener(std::function<void()> listener) { engine->setEndListener(std::move(listener)); }
