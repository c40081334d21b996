// The session without windows: its start-up order, the commands it carries out, its views
// given late and taken back, and the exit check doing the exit's work.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/base/ProgramPaths.h"
#include "core/session/Jukebox.h"
#include "support/FakeQueueWindow.h"
#include "support/RecordingBar.h"
#include "support/RecordingCommands.h"
#include "support/ScriptedBackend.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

using Log = CommandLog;

// The main window's start-up steps, noted in the order they come.
struct RecordingStartupWindow final : StartupWindow {
    RecordingStartupWindow(Log& log, std::function<const Settings&()> settings) : log(log), settings(settings) {}

    void applyFileFilter() override { log.push_back("filter"); }
    void applyToolbarSlots(const std::array<int, kToolbarSlotCount>& commands) override
    {
        log.push_back("slots " + std::to_string(commands[1]));
    }
    void applySettings() override
    {
        log.push_back(std::string("settings, time shown: ") + (settings().optDisplayTime ? "yes" : "no"));
    }

    Log& log;
    std::function<const Settings&()> settings;  // the session's, as they are when applied
};

class JukeboxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallProgramPaths(ProgramPaths::fromLocation({"/nowhere/sonorail", home.path().string(), {}, {}}));
    }

    Jukebox& start(std::vector<std::string> arguments = {})
    {
        auto scripted = std::make_unique<ScriptedBackend>();
        backend = scripted.get();
        session = std::make_unique<Jukebox>(std::move(scripted), commands, std::move(arguments));
        return *session;
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (int row = 0; row < session->playQueue().count(); ++row)
            result.push_back(session->playQueue().entry(row).text);
        return result;
    }

    TempDir home;
    ScriptedDialogs dialogs;
    Log log;
    RecordingCommands commands{log};
    RecordingStartupWindow window{log, [this]() -> const Settings& { return session->settings(); }};
    ScriptedBackend* backend = nullptr;
    std::unique_ptr<Jukebox> session;
};

TEST_F(JukeboxTest, StartUpRunsItsStepsInTheirFixedOrder)
{
    home.write("sr3.ini",
               "[Display]\r\noptDisplayTime=0\r\n[Toolbar]\r\nT2=0x14\r\n[CDAudio]\r\noptautoseekcdstart=1\r\n");
    home.write("default.alb", "/music/a.mid\r\n/music/b.wav\r\n");
    Jukebox& jukebox = start({"/s", "/m", "/x"});
    EXPECT_TRUE(log.empty()) << "nothing runs before the main window's creation";

    jukebox.StartupInitialise(window);
    // The CD panel is cleared (Eject CD greyed), then the disc read: there is none, so the
    // reading ends cleared as well.
    EXPECT_EQ(log, (Log{"filter", "slots 20", "settings, time shown: no", "grey 21", "grey 22", "grey 23", "grey 25",
                        "grey 25", "run 24", "grey 25"}));
    EXPECT_TRUE(jukebox.playModes().checked(PlayMode::Shuffle));
    EXPECT_TRUE(jukebox.startsMinimised());
    EXPECT_EQ(texts(), (std::vector<std::string>{"/music/a.mid", "/music/b.wav"}));
    EXPECT_EQ(jukebox.playback().playState, PlayState::Stopped);
    EXPECT_TRUE(jukebox.playback().MonitorReady);
    EXPECT_TRUE(dialogs.shown.empty());
}

// The settings record holds the two start-up keys as the file has them, not their defaults.
TEST_F(JukeboxTest, TheSettingsHoldTheStartUpKeysOfTheFile)
{
    home.write("sr3.ini", "[Display]\r\nOptTipOfDay=0\r\nOptFirstRun=0\r\n");
    Jukebox& jukebox = start({});
    jukebox.StartupInitialise(window);
    EXPECT_FALSE(jukebox.settings().OptTipOfDay);
    EXPECT_FALSE(jukebox.settings().OptFirstRun);
}

// The CD's drive or image is the settings file's to name; the back end only opens it.
TEST_F(JukeboxTest, StartUpHandsTheCdDeviceOfTheFileToTheBackEnd)
{
    home.write("sr3.ini", "[CDAudio]\r\nDevice=images/disc.cue\r\n");
    Jukebox& jukebox = start({});
    jukebox.StartupInitialise(window);
    EXPECT_EQ(backend->cdDevice, "images/disc.cue");
}

TEST_F(JukeboxTest, TheCommandsOfTheSessionRunItsOperations)
{
    Jukebox& jukebox = start();
    std::vector<Command> owned;
    for (const auto& [command, operation] : commands.operations)
        owned.push_back(command);
    EXPECT_EQ(owned, (std::vector<Command>{Command::OpenAlbum,
                                           Command::SaveAlbum,
                                           Command::CopyFile,
                                           Command::CopyAllFiles,
                                           Command::DeleteFile,
                                           Command::DeleteAllFiles,
                                           Command::FileInfo,
                                           Command::MoveFile,
                                           Command::MoveAllFiles,
                                           Command::RenameFile,
                                           Command::RenameAllFiles,
                                           Command::RemoveFromQueue,
                                           Command::RemoveAllFromQueue,
                                           Command::MoveQueueUp,
                                           Command::MoveQueueDown,
                                           Command::Play,
                                           Command::Pause,
                                           Command::Stop,
                                           Command::Next,
                                           Command::UpdateCdInfo,
                                           Command::EjectCd,
                                           Command::PlayCd}));

    backend->addMedia("/music/a.wav", {5000});
    jukebox.queueEditing().AddFiles({"/music/a.wav", "/music/b.mid"}, false);
    commands.ExecuteCommand(Command::Play);
    EXPECT_EQ(jukebox.playback().activeMedia, ActiveMedia::Wave);
    EXPECT_EQ(texts(), (std::vector<std::string>{"/music/b.mid"}));
    commands.ExecuteCommand(Command::Stop);
    EXPECT_EQ(jukebox.playback().playState, PlayState::Stopped);
    EXPECT_FALSE(jukebox.player().isOpen());
}

TEST_F(JukeboxTest, ViewsGivenLateAreShownAndViewsTakenBackAreNot)
{
    Jukebox& jukebox = start();
    jukebox.queueEditing().RemoveFromQueue(false);  // no bar yet: the refusal goes nowhere

    RecordingBar bar;
    FakeQueueWindow queueWindow;
    jukebox.attachInformationBar(&bar);
    jukebox.attachQueueWindow(&queueWindow);
    jukebox.queueEditing().RemoveFromQueue(false);
    backend->addMedia("/music/a.wav", {5000});
    jukebox.queueEditing().AddFiles({"/music/a.wav"}, false);
    jukebox.engine().Play();
    EXPECT_EQ(bar.shown,
              (std::vector<std::string>{"There are currently no items in the queue.", "Current item:  /music/a.wav"}));

    jukebox.attachInformationBar(nullptr);
    jukebox.engine().Stop();
    EXPECT_EQ(bar.shown.size(), 2u);
}

TEST_F(JukeboxTest, TheExitCheckStopsWhatPlaysAndKeepsTheQueueAsTheDefaultAlbum)
{
    Jukebox& jukebox = start();
    backend->addMedia("/music/a.wav", {5000});
    jukebox.queueEditing().AddFiles({"/music/a.wav", "/music/b.mid"}, false);
    jukebox.engine().Play();

    dialogs.answers = {DialogAnswer::No};
    EXPECT_FALSE(jukebox.ConfirmExit());
    EXPECT_EQ(jukebox.playback().playState, PlayState::Playing) << "No leaves everything as it was";

    EXPECT_TRUE(jukebox.ConfirmExit(false)) << "no one to ask: no question";
    EXPECT_EQ(jukebox.playback().playState, PlayState::Stopped);
    EXPECT_FALSE(jukebox.player().isOpen());
    EXPECT_EQ(home.read("default.alb"), "/music/b.mid\r\n");
}

}  // namespace
