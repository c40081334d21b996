#include "core/session/Jukebox.h"

#include "core/base/DialogSeam.h"
#include "core/base/GuardedCall.h"
#include "core/commands/CommandLine.h"
#include "core/settings/ProfileFile.h"
#include "core/settings/SettingsKeys.h"

Jukebox::Jukebox(std::unique_ptr<MediaBackend> backend, CommandControl& commands, std::vector<std::string> arguments)
    : commands(commands), arguments(std::move(arguments)), mmed(std::move(backend))
{
    playbackViews.commands = &commands;
    registerCommands();
}

Jukebox::~Jukebox() = default;

void Jukebox::registerCommands()
{
    commands.setOperation(Command::OpenAlbum, [this] { albumFiles.OpenAlbum(); });
    commands.setOperation(Command::SaveAlbum, [this] { albumFiles.SaveAlbum(); });
    commands.setOperation(Command::RemoveFromQueue, [this] { editing.RemoveFromQueue(false); });
    commands.setOperation(Command::RemoveAllFromQueue, [this] { editing.RemoveFromQueue(true); });
    commands.setOperation(Command::MoveQueueUp, [this] { editing.MoveQueueItemsUp(); });
    commands.setOperation(Command::MoveQueueDown, [this] { editing.MoveQueueItemsDown(); });
    commands.setOperation(Command::Play, [this] { playbackEngine.Play(); });
    commands.setOperation(Command::Pause, [this] { playbackEngine.Pause(); });
    commands.setOperation(Command::Stop, [this] { playbackEngine.Stop(); });
    commands.setOperation(Command::Next, [this] { playbackEngine.Next(); });
}

void Jukebox::attachInformationBar(InformationBar* bar)
{
    InformationBar* shown = bar ? bar : &InformationBar::none();
    queueViews.infoBar = shown;
    playbackViews.infoBar = shown;
}

void Jukebox::attachQueueWindow(QueueWindow* window) { queueViews.window = window ? window : &QueueWindow::none(); }

void Jukebox::attachDisplay(PlaybackDisplay* display)
{
    playbackViews.display = display ? display : &PlaybackDisplay::none();
}

void Jukebox::attachVideoArea(VideoArea* area) { playbackViews.video = area ? area : &VideoArea::none(); }

void Jukebox::attachViewer(Viewer* viewer) { playbackViews.viewer = viewer ? viewer : &Viewer::none(); }

void Jukebox::StartupInitialise(StartupWindow& window)
{
    playbackMonitor.IconFrame = 0;
    window.ApplyFileFilter();
    playbackState.playState = psStopped;
    playbackState.PlayedCount = 0;
    LoadSettings(window);
    playbackState.activeMedia = amNone;
    for (Command command : {Command::Pause, Command::Stop, Command::Next, Command::EjectCd})
        commands.SetCommandEnabled(command, false);
    ApplyCommandLine();
    // An unreadable default album is reported; the run starts all the same.
    GuardedCall([this] { albumFiles.LoadDefaultAlbum(); });
    playbackState.MonitorReady = true;
    if (currentSettings.optautoseekcdstart)
        commands.ExecuteCommand(Command::UpdateCdInfo);
}

void Jukebox::LoadSettings(StartupWindow& window)
{
    // Every key as the file has it, the welcome window's two start-up keys included.
    currentSettings = ReadSettings(ProfileFile(SettingsFilePath()));
    window.ApplyToolbarSlots(currentSettings.ToolbarSlots);
    window.ApplySettings();
}

void Jukebox::ApplyCommandLine()
{
    for (CommandLineAction action : ParseCommandLine(arguments)) {
        if (ApplyPlayModeSwitch(action, modes))
            continue;
        if (action == CommandLineAction::StartMinimised)
            startMinimised = true;
        else if (action == CommandLineAction::ShowOptions)
            DialogSeam::current().ask(DialogKind::Information, kApplicationTitle, kCommandLineOptionsText,
                                      DialogButtons::Ok);
    }
}

bool Jukebox::ConfirmExit(bool mayAsk) { return ::ConfirmExit(currentSettings, *this, mayAsk); }

bool Jukebox::ExitQuestionAllows() const { return ::ExitQuestionAllows(currentSettings, *this); }

bool Jukebox::multimediaPlaying() const { return playbackState.playState == psPlaying; }

// Stopping is the Stop command's step: whatever plays is stopped and closed, the viewer hidden.
void Jukebox::stopPlayback() { playbackEngine.Stop(); }

void Jukebox::saveDefaultAlbum(bool mayAsk) { albumFiles.SaveDefaultAlbum(mayAsk); }
