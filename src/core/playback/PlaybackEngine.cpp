#include "core/playback/PlaybackEngine.h"

#include <chrono>

#include "core/formats/ProfileFile.h"
#include "core/base/IoErrorText.h"
#include "core/base/SonorailError.h"

const char* const kCurrentItemPrefix = "Current item:  ";

namespace {

// AVI clips keep their own size; films are scaled down to the picture area.
VideoFit fitFor(MediaKind kind) { return kind == MediaKind::Movie ? VideoFit::ScaleDownToArea : VideoFit::OwnSize; }

// A number the user typed or a text carries, read as the old integer conversion did.
int toInteger(const std::string& text)
{
    if (std::optional<int> value = ProfileFile::parseInteger(text))
        return *value;
    throw SonorailError(IoErrorText::notValidInteger(text));
}

// Requests whose failure the engine ignores (pause, resume, the stop's close, the CD halt).
template <class Request>
void ignoringFailure(Request&& request)
{
    try {
        request();
    } catch (const SonorailError&) {
    }
}

bool isPlayerMedia(ActiveMedia media)
{
    return media == ActiveMedia::Midi || media == ActiveMedia::Wave || media == ActiveMedia::Video ||
           media == ActiveMedia::CdTrack;
}

}  // namespace

int RandomGenerator::draw(int n)
{
    seed = seed * 134775813u + 1u;
    return static_cast<int>((static_cast<std::uint64_t>(seed) * static_cast<std::uint32_t>(n)) >> 32);
}

std::uint32_t TimeOfDaySeed()
{
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(now).count() % (24LL * 60 * 60 * 1000));
}

PlaybackEngine::PlaybackEngine(PlayQueue& queue, PlayModes& modes, PlaybackState& state, MediaPlayer& player,
                               const PlaybackViews& views)
    : queue(queue), modes(modes), state(state), player(player), views(views)
{
}

void PlaybackEngine::Play()
{
    if (state.playState == PlayState::Stopped)
        state.ContinuousPosition = -1;
    state.playState = state.playState == PlayState::Paused ? PlayState::Resuming : PlayState::Playing;
    PlaybackStep(false);
}

void PlaybackEngine::Pause()
{
    state.playState = PlayState::Paused;
    PlaybackStep(false);
}

void PlaybackEngine::Stop()
{
    state.playState = PlayState::Stopped;
    PlaybackStep(false);
}

void PlaybackEngine::Next()
{
    state.playState = PlayState::Playing;
    PlaybackStep(false);
}

void PlaybackEngine::PlaybackStep(bool lookAhead)
{
    state.ViewerEngaged = false;
    random.reseed(seedSource());
    if (state.playState == PlayState::Paused) {
        views.commands->SetCommandEnabled(Command::Pause, false);
        views.commands->SetCommandEnabled(Command::Play, true);
        ignoringFailure([&] { player.pause(); });
        notePausedItem();
        views.display->setIntroCountdown(false);
        return;
    }
    if (state.playState == PlayState::Resuming) {
        views.commands->SetCommandEnabled(Command::Pause, true);
        views.commands->SetCommandEnabled(Command::Play, false);
        state.playState = PlayState::Playing;
        if (modes.checked(PlayMode::Intro))
            views.display->setIntroCountdown(true);  // with the seconds that were left
        resume();
        return;
    }
    if (!lookAhead && state.activeMedia == ActiveMedia::CdTrack)
        ignoringFailure([&] { player.seek(player.length()); });  // halts the disc first
    if (queue.empty() && lookAhead)
        return;
    if (queue.empty() || state.playState == PlayState::Stopped) {
        stopSequence();
        return;
    }
    startSequence(lookAhead);
}

// A second Pause, with the player closed in between, keeps what the first one noted.
void PlaybackEngine::notePausedItem()
{
    if (!player.isOpen() || !isPlayerMedia(state.activeMedia))
        return;
    try {
        pausedItem = PausedItem{player.deviceType(), player.fileName(), player.position()};
    } catch (const SonorailError&) {
        pausedItem.reset();
    }
}

// Playing goes on from the paused position, also when the player was closed meanwhile:
// "Playing" with nothing running would halt the queue until Stop or Next.
void PlaybackEngine::resume()
{
    const bool playerStillHoldsIt = player.isOpen() && pausedItem && player.deviceType() == pausedItem->deviceType &&
                                    player.fileName() == pausedItem->fileName;
    if (pausedItem && isPlayerMedia(state.activeMedia) && !playerStillHoldsIt)
        reopenPausedItem();
    else
        ignoringFailure([&] { player.play(); });
}

// When the item cannot be had again (the disc taken out, the file removed) it counts as
// ended: the queue moves on, and the failure is reported.
void PlaybackEngine::reopenPausedItem()
{
    const PausedItem item = *pausedItem;
    pausedItem.reset();
    try {
        player.selectDevice(item.deviceType, item.fileName);
        player.open();
        player.setTimeFormatMilliseconds();
        if (state.activeMedia == ActiveMedia::Video)
            views.video->placeVideo(player, fitFor(ClassifyEntry(item.fileName)));
        player.seek(item.position);
        player.play();
    } catch (const SonorailError&) {
        ignoringFailure([&] { player.close(); });
        state.activeMedia = ActiveMedia::None;
        PlaybackStep(false);
        throw;
    }
}

void PlaybackEngine::setPlayingCommands(bool playing)
{
    for (Command command : {Command::Play, Command::OpenAlbum, Command::SaveAlbum})
        views.commands->SetCommandEnabled(command, !playing);
    for (Command command : {Command::Stop, Command::Pause, Command::Next})
        views.commands->SetCommandEnabled(command, playing);
}

void PlaybackEngine::stopSequence()
{
    pausedItem.reset();
    state.playState = PlayState::Stopped;
    views.display->setIntroCountdown(false);
    ignoringFailure([&] { player.close(); });
    views.infoBar->showInfo(" ");
    state.activeMedia = ActiveMedia::None;
    state.currentItem.clear();
    state.currentItemId = 0;
    views.viewer->hideViewer();
    setPlayingCommands(false);
    views.video->restorePictureArea();
    ResetPlayedMarks();
    views.display->clearTimeDisplays();
}

void PlaybackEngine::ResetPlayedMarks()
{
    queue.clearPlayedMarks();
    state.PlayedCount = 0;
}

// The row to start: the first, or as the mode boxes say; later rules override earlier ones.
int PlaybackEngine::chooseRow()
{
    const int count = queue.count();
    const bool backwards = modes.checked(PlayMode::Backwards);
    const bool randomly = modes.checked(PlayMode::Random);
    const bool continuous = modes.checked(PlayMode::Continuous);
    const bool shuffle = modes.checked(PlayMode::Shuffle);
    int row = 0;
    if (shuffle) {
        do
            row = random.draw(count);
        while (queue.entry(row).played);
    }
    if (continuous && !backwards && !randomly && !shuffle) {
        if (++state.ContinuousPosition > count - 1)
            state.ContinuousPosition = 0;
        row = state.ContinuousPosition;
    }
    if (backwards && !shuffle)
        row = count - 1;
    if (randomly && !shuffle)
        row = random.draw(count);
    return row;
}

void PlaybackEngine::startSequence(bool lookAhead)
{
    if (!lookAhead)
        pausedItem.reset();
    state.playState = PlayState::Playing;
    setPlayingCommands(true);
    bool anyUnplayed = false;
    for (int row = 0; row < queue.count() && !anyUnplayed; ++row)
        anyUnplayed = !queue.entry(row).played;
    // The played count can only overstate the marks, so a full round resets them here.
    if (queue.count() <= state.PlayedCount || !anyUnplayed)
        ResetPlayedMarks();

    const int continuousBefore = state.ContinuousPosition;
    const int row = chooseRow();
    const std::string text = queue.entry(row).text;
    const MediaKind kind = ClassifyEntry(text);
    if (lookAhead && IsPlayerKind(kind)) {
        state.ContinuousPosition = continuousBefore;
        return;
    }
    views.infoBar->showInfo(kCurrentItemPrefix + text);
    startRow(row, kind);
    // What desktop controls describe: what plays, else what shows.
    if (IsPlayerKind(kind) || state.activeMedia == ActiveMedia::None || state.activeMedia == ActiveMedia::LastView) {
        state.currentItem = text;
        state.currentItemId = queue.entry(row).id;
    }

    if (!modes.checked(PlayMode::Continuous) && !modes.checked(PlayMode::Shuffle)) {
        queue.removeIf([row](int candidate) { return candidate == row; });
    }
    if (modes.checked(PlayMode::Shuffle)) {
        ++state.PlayedCount;
        queue.setPlayed(row, true);
    }
    if (state.activeMedia != ActiveMedia::None && IsSoundKind(kind))
        PlaybackStep(true);
    if (state.activeMedia == ActiveMedia::None && IsViewerKind(kind) && queue.empty()) {
        state.activeMedia = ActiveMedia::LastView;
        state.playState = PlayState::Playing;
    }
    startIntroIfChecked();
}

void PlaybackEngine::startRow(int row, MediaKind kind)
{
    const std::string text = queue.entry(row).text;
    const std::string caption = kCurrentItemPrefix + text;
    if (IsSoundKind(kind))
        player.close();
    if (IsPlayerKind(kind))
        views.video->showMusicCover(kind == MediaKind::Music ? text : std::string());
    switch (kind) {
        case MediaKind::Text:
        case MediaKind::RichText:
            views.viewer->showDocument(text, caption);
            break;
        case MediaKind::Bitmap:
        case MediaKind::Icon:
        case MediaKind::Metafile:
        case MediaKind::Png:
        case MediaKind::Jpeg:
        case MediaKind::Pcx:
            views.viewer->showPicture(text, caption);
            break;
        case MediaKind::Midi:
            startFile(kSequencerDevice, text);
            state.activeMedia = ActiveMedia::Midi;
            break;
        case MediaKind::CdTrack:
            startCdTrack(text);
            state.activeMedia = ActiveMedia::CdTrack;
            break;
        case MediaKind::Wave:
        case MediaKind::Music:  // played as a wave sound is, whatever its codec
            startFile(kWaveAudioDevice, text);
            state.activeMedia = ActiveMedia::Wave;
            break;
        case MediaKind::Video:
        case MediaKind::Movie:
            startVideo(text, fitFor(kind));
            state.activeMedia = ActiveMedia::Video;
            break;
        case MediaKind::None:
            break;
    }
}

void PlaybackEngine::startFile(const char* deviceType, const std::string& path)
{
    player.selectDevice(deviceType, path);
    player.open();
    player.play();
}

// The disc plays on past the track; the monitor advances at the end mark, 1000 ms early.
void PlaybackEngine::startCdTrack(const std::string& text)
{
    player.selectDevice(kCdAudioDevice, "");
    player.open();
    const int track = toInteger(text.substr(0, 2));
    player.setTimeFormatMilliseconds();
    player.seek(player.trackPosition(track));
    state.CdTrackStart = player.position();
    state.CdTrackEndMark = player.trackPosition(track) + player.trackLength(track) - 1000;
    state.CdTrackLength = player.trackLength(track);
    player.play();
}

void PlaybackEngine::startVideo(const std::string& path, VideoFit fit)
{
    player.selectDevice(kVideoDevice, path);
    player.open();
    views.video->placeVideo(player, fit);
    player.play();
}

void PlaybackEngine::startIntroIfChecked()
{
    if (!modes.checked(PlayMode::Intro))
        return;
    state.IntroSeconds = toInteger(views.display->introSecondsText());
    state.IntroRemaining = state.IntroSeconds;
    views.display->setIntroCountdown(true);
}
