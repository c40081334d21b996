#include "core/playback/PlaybackMonitor.h"

#include <cstdio>

#include "core/base/SonorailError.h"

std::string FormatPlayTime(long milliseconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2ld:%.2ld", milliseconds / 60000, (milliseconds % 60000) / 1000);
    return text;
}

PlaybackMonitor::PlaybackMonitor(PlaybackEngine& engine, PlaybackState& state, MediaPlayer& player,
                                 const PlaybackViews& views)
    : engine(engine), state(state), player(player), views(views)
{
}

namespace {

bool isFileMedia(ActiveMedia media)
{
    return media == ActiveMedia::Midi || media == ActiveMedia::Wave || media == ActiveMedia::Video;
}

// Sets the flag back however the tick ends, so one failing display part does not keep
// every later tick from its display.
struct MonitorReadyAgain {
    explicit MonitorReadyAgain(bool& flag) : flag(flag) {}
    ~MonitorReadyAgain() { flag = true; }
    bool& flag;
};

}  // namespace

void PlaybackMonitor::tick()
{
    if (!views.viewer->viewerVisible() && state.playState == PlayState::Playing && state.ViewerEngaged) {
        views.commands->ExecuteCommand(Command::Next);
        return;
    }
    if (state.playState == PlayState::Playing && state.activeMedia != ActiveMedia::LastView) {
        checkEnds();
        if (!state.MonitorReady)
            return;
        state.MonitorReady = false;
        MonitorReadyAgain readyAgain(state.MonitorReady);
        showTimes();
    }
    iconFrame = iconFrame + 1 > 3 ? 0 : iconFrame + 1;
    views.display->showIconFrame(iconFrame);
    views.viewer->trackViewer();
    views.dockLayout->applyDockLayout();
    state.MonitorReady = true;
}

// A closed player (the next row failed to open after the user's Next) means nothing runs
// any more: asking it would fail on every tick. A failure met while playing is reported
// once, and the item counts as ended.
void PlaybackMonitor::checkEnds()
{
    if (state.activeMedia != ActiveMedia::None && !player.isOpen()) {
        state.activeMedia = ActiveMedia::None;
        return;
    }
    if (std::optional<std::string> failure = player.takeLateFailure()) {
        if (isFileMedia(state.activeMedia)) {
            state.activeMedia = ActiveMedia::None;
            engine.PlaybackStep(false);
        }
        throw SonorailError(*failure);
    }
    if (isFileMedia(state.activeMedia) && player.position() == player.length()) {
        state.activeMedia = ActiveMedia::None;
        engine.PlaybackStep(false);
    }
    if (state.activeMedia == ActiveMedia::CdTrack && player.isOpen() && player.position() >= state.CdTrackEndMark)
        engine.PlaybackStep(false);
}

void PlaybackMonitor::showTimes()
{
    if (state.activeMedia == ActiveMedia::None || state.activeMedia == ActiveMedia::LastView || !player.isOpen())
        return;
    player.setTimeFormatMilliseconds();
    long position = player.position();
    long length = player.length();
    if (state.activeMedia == ActiveMedia::CdTrack) {
        position -= state.CdTrackStart;
        length = state.CdTrackLength;
    }
    views.display->setTimeDisplays(FormatPlayTime(length), FormatPlayTime(position));
}

void PlaybackMonitor::introTick()
{
    if (--state.IntroRemaining > 0)
        return;
    views.display->setIntroCountdown(false);
    views.commands->ExecuteCommand(Command::Next);
}
