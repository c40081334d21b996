#include "core/session/Jukebox.h"

#include "core/base/DialogSeam.h"
#include "core/base/GuardedCall.h"
#include "core/commands/CommandLine.h"
#include "core/formats/ProfileFile.h"
#include "core/settings/SettingsKeys.h"

Jukebox::Jukebox(std::unique_ptr<MediaBackend> backend, CommandControl& commands, std::vector<std::string> arguments)
    : commands(commands), arguments(std::move(arguments)), mediaPlayer(std::move(backend))
{
    playbackViews.commands = &commands;
    playbackViews.dockLayout = &dock;
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
    commands.setOperation(Command::UpdateCdInfo, [this] { cdMode.UpdateCDInfo(); });
    commands.setOperation(Command::EjectCd, [this] { cdMode.EjectCD(); });
    commands.setOperation(Command::PlayCd, [this] { cdMode.PlayTheCD(); });
    commands.setOperation(Command::CopyFile, [this] { fileManager.CopyFiles(false); });
    commands.setOperation(Command::CopyAllFiles, [this] { fileManager.CopyFiles(true); });
    commands.setOperation(Command::DeleteFile, [this] { fileManager.DeleteFiles(false); });
    commands.setOperation(Command::DeleteAllFiles, [this] { fileManager.DeleteFiles(true); });
    commands.setOperation(Command::FileInfo, [this] { fileInfo.ShowFileInfo(); });
    commands.setOperation(Command::MoveFile, [this] { fileManager.MoveFiles(false); });
    commands.setOperation(Command::MoveAllFiles, [this] { fileManager.MoveFiles(true); });
    commands.setOperation(Command::RenameFile, [this] { fileManager.RenameFiles(false); });
    commands.setOperation(Command::RenameAllFiles, [this] { fileManager.RenameFiles(true); });
}

void Jukebox::attachInformationBar(InformationBar* bar)
{
    InformationBar* shown = bar ? bar : &InformationBar::none();
    queueViews.infoBar = shown;
    playbackViews.infoBar = shown;
    cdViews.infoBar = shown;
    fileViews.infoBar = shown;
}

void Jukebox::attachQueueWindow(QueueWindow* window) { queueViews.window = window ? window : &QueueWindow::none(); }

void Jukebox::attachDisplay(PlaybackDisplay* display)
{
    playbackViews.display = display ? display : &PlaybackDisplay::none();
}

void Jukebox::attachVideoArea(VideoArea* area) { playbackViews.video = area ? area : &VideoArea::none(); }

void Jukebox::attachViewer(Viewer* viewer) { playbackViews.viewer = viewer ? viewer : &Viewer::none(); }

void Jukebox::attachCdView(CdView* view) { cdViews.panel = view ? view : &CdView::none(); }

// A lookup taken back first drops what it was asked.
void Jukebox::attachDiscLookup(DiscLookup* lookup)
{
    cdViews.lookup->cancel();
    cdViews.lookup = lookup ? lookup : &DiscLookup::none();
}

void Jukebox::attachFileManagerWindow(FileManagerWindow* window)
{
    fileViews.window = window ? window : &FileManagerWindow::none();
}

void Jukebox::attachFileManagerDialogs(FileManagerDialogs* dialogs)
{
    fileViews.dialogs = dialogs ? dialogs : &FileManagerDialogs::none();
}
void Jukebox::attachDockWindows(DockWindows* windows) { dock.attach(windows); }

void Jukebox::StartupInitialise(StartupWindow& window)
{
    dock.docked = true;
    playbackMonitor.iconFrame = 0;
    window.applyFileFilter();
    playbackState.playState = PlayState::Stopped;
    playbackState.PlayedCount = 0;
    LoadSettings(window);
    playbackState.activeMedia = ActiveMedia::None;
    for (Command command : {Command::Pause, Command::Stop, Command::Next, Command::EjectCd})
        commands.SetCommandEnabled(command, false);
    ApplyCommandLine();
    // An unreadable default album is reported; the run starts all the same.
    GuardedCall([this] { albumFiles.LoadDefaultAlbum(); });
    playbackState.MonitorReady = true;
    cdMode.ClearCDInfo();
    if (currentSettings.optautoseekcdstart)
        commands.ExecuteCommand(Command::UpdateCdInfo);
}

void Jukebox::LoadSettings(StartupWindow& window)
{
    // Every key as the file has it, the welcome window's two start-up keys included.
    currentSettings = ReadSettings(ProfileFile(SettingsFilePath()));
    player().backend().setCdDevice(currentSettings.CdDevice);
    window.applyToolbarSlots(currentSettings.ToolbarSlots);
    window.applySettings();
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

bool Jukebox::exitQuestionAllows() const { return ::ExitQuestionAllows(currentSettings, *this); }

bool Jukebox::multimediaPlaying() const { return playbackState.playState == PlayState::Playing; }

// Stopping is the Stop command's step: whatever plays is stopped and closed, the viewer hidden.
void Jukebox::stopPlayback() { playbackEngine.Stop(); }

void Jukebox::saveDefaultAlbum(bool mayAsk) { albumFiles.SaveDefaultAlbum(mayAsk); }
