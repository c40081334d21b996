// CD mode in the session, on a scripted drive: reading a disc into the CD panel, the names
// stored and brought back, CD-Text, the refusals while something plays, "Play the CD",
// ejecting, and what a clear or a failing file does to the names typed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/ProgramPaths.h"
#include "core/cd/CdDatabase.h"
#include "core/files/FileInformation.h"
#include "core/session/Jukebox.h"
#include "support/ErrorOf.h"
#include "support/FakeCdView.h"
#include "support/FakeQueueWindow.h"
#include "support/RecordingBar.h"
#include "support/RecordingCommands.h"
#include "support/ScriptedBackend.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

// Twelve tracks, 2,723,000 ms in all.
const std::vector<long> kTwelveTracks = {226000, 226000, 226000, 226000, 226000, 226000,
                                         226000, 226000, 226000, 226000, 226000, 237000};
const std::vector<long> kOtherDisc = {60000, 70000, 80000};

class CdModeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallProgramPaths(ProgramPaths::fromLocation({"/nowhere/sonorail", home.path().string(), {}, {}}));
        start();
    }

    // A session as a run of the program has it, its windows' views attached (a restart
    // begins a new one on the same files).
    void start()
    {
        session.reset();
        auto scripted = std::make_unique<ScriptedBackend>();
        backend = scripted.get();
        session = std::make_unique<Jukebox>(std::move(scripted), commands, std::vector<std::string>{});
        session->attachInformationBar(&bar);
        session->attachQueueWindow(&queueWindow);
        session->attachCdView(&view);
    }

    CdMode& cd() { return session->cd(); }
    std::string database() const { return home.read("cddat.dat"); }
    std::vector<std::string> queueTexts() const
    {
        std::vector<std::string> texts;
        for (int row = 0; row < session->playQueue().count(); ++row)
            texts.push_back(session->playQueue().entry(row).text);
        return texts;
    }
    bool logged(const std::string& line) const { return std::ranges::find(log, line) != log.end(); }

    TempDir home;
    ScriptedDialogs dialogs;
    CommandLog log;
    RecordingCommands commands{log};
    RecordingBar bar;
    FakeQueueWindow queueWindow;
    FakeCdView view;
    ScriptedBackend* backend = nullptr;
    std::unique_ptr<Jukebox> session;
};

}  // namespace

// ---- Reading the disc ----

TEST_F(CdModeTest, ADiscIsReadIntoThePanelAndThePlayerClosedAgain)
{
    backend->insertDisc(kTwelveTracks);
    commands.ExecuteCommand(Command::UpdateCdInfo);
    EXPECT_EQ(cd().discId(), 2723012);
    EXPECT_EQ(cd().currentRecordIndex(), 0) << "no file yet: the disc will be record 0";
    ASSERT_EQ(view.shownEntries.size(), 12u);
    EXPECT_EQ(view.shownEntries[0], "01:Name of Track.cdt");
    EXPECT_EQ(view.shownEntries[11], "12:Name of Track.cdt");
    EXPECT_EQ(view.shownFields, CdFields::prompts());
    EXPECT_TRUE(view.enabled);
    EXPECT_EQ(log.back(), "enable 25");
    EXPECT_EQ(view.tab(), SourceTab::Files) << "the reading leaves the tab the clear selected";
    EXPECT_FALSE(session->player().isOpen());
    EXPECT_FALSE(std::filesystem::exists(home.file("cddat.dat"))) << "reading never writes";
}

// No drive, no disc, an unreadable image: all end cleared, without a message.
TEST_F(CdModeTest, WithoutADiscTheReadingEndsClearedAndQuiet)
{
    backend->insertDisc(kTwelveTracks);
    cd().UpdateCDInfo();
    backend->insertDisc({});
    EXPECT_FALSE(cd().UpdateCDInfo());
    EXPECT_TRUE(view.shownEntries.empty());
    EXPECT_EQ(view.shownFields, CdFields::prompts());
    EXPECT_FALSE(view.enabled);
    EXPECT_EQ(log.back(), "grey 25");
    EXPECT_TRUE(bar.shown.empty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(session->player().isOpen());
}

TEST_F(CdModeTest, NamesGivenToADiscComeBackAfterARestart)
{
    backend->insertDisc(kTwelveTracks);
    cd().UpdateCDInfo();
    view.shownFields = {"Night Songs", "The Quiet Ones", "Folk", "bought in Leeds\nsigned"};
    view.shownEntries[1] = "02:Second Song.cdt";
    cd().StoreCDInfo();
    EXPECT_EQ(database().size(), 6080u);

    start();
    view = FakeCdView{};
    backend->insertDisc(kTwelveTracks);
    ASSERT_TRUE(cd().UpdateCDInfo());
    EXPECT_EQ(view.shownFields, (CdFields{"Night Songs", "The Quiet Ones", "Folk", "bought in Leeds\nsigned"}));
    EXPECT_EQ(view.shownEntries[0], "01:Name of Track.cdt");
    EXPECT_EQ(view.shownEntries[1], "02:Second Song.cdt");
    EXPECT_EQ(cd().discTitle(), "Night Songs");
    EXPECT_EQ(cd().discAuthor(), "The Quiet Ones");
}

// Leaving a field of a new disc appends its record; leaving again overwrites that record.
TEST_F(CdModeTest, ANewDiscIsAppendedOnceThenRewrittenInPlace)
{
    backend->insertDisc(kOtherDisc);
    cd().UpdateCDInfo();
    cd().StoreCDInfo();
    backend->insertDisc(kTwelveTracks);
    cd().UpdateCDInfo();
    EXPECT_EQ(cd().currentRecordIndex(), CdDatabase::kNoRecordYet);
    cd().StoreCDInfo();
    EXPECT_EQ(cd().currentRecordIndex(), 1);
    const std::string first = database().substr(0, 6080);
    view.shownFields.title = "Named at last";
    cd().StoreCDInfo();
    EXPECT_EQ(database().size(), 2 * 6080u);
    EXPECT_EQ(database().substr(0, 6080), first);
    EXPECT_EQ(CdDatabase(home.file("cddat.dat")).find(2723012).record->title, "Named at last");
}

TEST_F(CdModeTest, CdTextNamesANewDiscUntilTheUsersNamesAreStored)
{
    backend->insertDisc(kOtherDisc);
    backend->setDiscText({"Album", "Band", {"Opening", "", "Closing"}});
    cd().UpdateCDInfo();
    EXPECT_EQ(view.shownFields.title, "Album");
    EXPECT_EQ(view.shownFields.author, "Band");
    EXPECT_EQ(view.shownFields.category, CdFields::kCategoryPrompt);
    EXPECT_EQ(view.shownEntries,
              (std::vector<std::string>{"01:Opening.cdt", "02:Name of Track.cdt", "03:Closing.cdt"}));

    view.shownFields.title = "My title";
    view.shownEntries[0] = "01:My first.cdt";
    cd().StoreCDInfo();
    cd().UpdateCDInfo();
    EXPECT_EQ(view.shownFields.title, "My title");
    EXPECT_EQ(view.shownFields.author, "Band") << "stored as it was shown";
    EXPECT_EQ(view.shownEntries[0], "01:My first.cdt");
    EXPECT_EQ(view.shownEntries[2], "03:Closing.cdt");
}

// The second disc of a set may number its tracks on from the first disc's: its rows carry
// its own numbers, and a row plays the track of that number.
TEST_F(CdModeTest, ADiscsOwnTrackNumbersNameItsRowsAndPlayThem)
{
    backend->insertDisc({60000, 70000}, 98);
    backend->setDiscText({"", "", {"First", ""}});
    ASSERT_TRUE(cd().UpdateCDInfo());
    EXPECT_EQ(view.shownEntries, (std::vector<std::string>{"98:First.cdt", "99:Name of Track.cdt"}));

    session->queueEditing().AddFiles({"99:Name of Track.cdt"}, false);
    backend->requests.clear();
    session->engine().Play();
    EXPECT_NE(std::ranges::find(backend->requests, "seek 60000"), backend->requests.end());
    EXPECT_TRUE(session->player().isOpen()) << "playing, not refused";
}

// ---- While something plays ----

TEST_F(CdModeTest, ReadingIsRefusedWhilePlayingAndProceedsWhilePaused)
{
    backend->insertDisc(kTwelveTracks);
    backend->addMedia("/music/a.wav", {5000});
    session->queueEditing().AddFiles({"/music/a.wav"}, false);
    session->engine().Play();
    view.shownEntries = {"kept"};
    EXPECT_FALSE(cd().UpdateCDInfo());
    EXPECT_EQ(bar.shown.back(), "Can not update CD info while multimedia is playing.");
    EXPECT_EQ(view.shownEntries, (std::vector<std::string>{"kept"}));
    EXPECT_TRUE(session->player().isOpen());

    session->engine().Pause();
    EXPECT_TRUE(cd().UpdateCDInfo());
    EXPECT_EQ(view.shownEntries.size(), 12u);
    EXPECT_FALSE(session->player().isOpen()) << "the reading leaves the player closed";
}

TEST_F(CdModeTest, PlayTheCdIsRefusedWhilePlaying)
{
    backend->addMedia("/music/a.wav", {5000});
    session->queueEditing().AddFiles({"/music/a.wav", "/music/b.wav"}, false);
    session->engine().Play();
    EXPECT_FALSE(cd().PlayTheCD());
    EXPECT_EQ(bar.shown.back(), "Can not do that while multimedia is playing.");
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{"/music/b.wav"}));
}

// ---- Play the CD ----

TEST_F(CdModeTest, PlayTheCdEmptiesTheQueueReadsTheDiscThenAddsAllAndPlays)
{
    backend->insertDisc(kTwelveTracks);
    session->queueEditing().AddFiles({"/music/a.mid"}, false);
    log.clear();
    dialogs.answers = {DialogAnswer::Yes};
    EXPECT_TRUE(cd().PlayTheCD());
    EXPECT_TRUE(queueTexts().empty());
    EXPECT_EQ(view.tabs, (std::vector<SourceTab>{SourceTab::CdAudio, SourceTab::Files, SourceTab::CdAudio}));
    EXPECT_EQ(view.shownEntries.size(), 12u);
    std::vector<std::string> runs;
    std::ranges::copy_if(log, std::back_inserter(runs),
                         [](const std::string& line) { return line.starts_with("run"); });
    EXPECT_EQ(runs, (std::vector<std::string>{"run 24", "run 13", "run 20"}));
}

// ---- Ejecting ----

TEST_F(CdModeTest, EjectStopsClearsAndTakesOnlyLowerCaseCdtRowsOutOfTheQueue)
{
    backend->insertDisc(kTwelveTracks);
    backend->addMedia("/music/a.wav", {5000});
    commands.operations[Command::Stop] = [this] { session->engine().Stop(); };
    cd().UpdateCDInfo();
    session->queueEditing().AddFiles({"/music/a.wav", "/music/b.mid"}, false);
    session->playQueue().insert(2, {{"01:Name of Track.cdt", "Name of Track.cdt"},
                                    {"02:Loud.CDT", "Loud.CDT"},
                                    {"03:Name of Track.cdt", "Name of Track.cdt"}});
    session->engine().Play();
    log.clear();
    backend->requests.clear();

    cd().EjectCD();
    EXPECT_EQ(log.front(), "run 22") << "what plays is stopped first";
    EXPECT_EQ(session->playback().playState, PlayState::Stopped);
    EXPECT_EQ(backend->requests, (std::vector<std::string>{"close", "open CDAudio", "eject", "close"}));
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{"/music/b.mid", "02:Loud.CDT"}));
    EXPECT_TRUE(view.shownEntries.empty());
    EXPECT_FALSE(view.enabled);
    EXPECT_EQ(log.back(), "grey 25");
}

TEST_F(CdModeTest, AnEjectWithoutADiscReportsItAndKeepsTheQueue)
{
    session->playQueue().insert(0, {{"01:Name of Track.cdt", "Name of Track.cdt"}});
    EXPECT_EQ(errorOf([&] { cd().EjectCD(); }), "There is no disc in the drive");
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{"01:Name of Track.cdt"}));
    EXPECT_FALSE(session->player().isOpen());
}

// ---- What a clear and a failing file do to the names ----

TEST_F(CdModeTest, ClearingNeverStoresButTextTypedInAFocusedFieldIsStoredFirst)
{
    backend->insertDisc(kTwelveTracks);
    cd().UpdateCDInfo();
    view.shownFields.title = "Typed, not left";
    view.typing = true;
    cd().ClearCDInfo();
    EXPECT_FALSE(std::filesystem::exists(home.file("cddat.dat")));

    cd().UpdateCDInfo();  // the clear disabled the field; nothing was typed since
    EXPECT_FALSE(std::filesystem::exists(home.file("cddat.dat")));
    view.shownFields.title = "Typed, then read again";
    view.typing = true;
    cd().UpdateCDInfo();
    EXPECT_EQ(view.shownFields.title, "Typed, then read again");
    view.shownFields.title = "Typed, then ejected";
    view.typing = true;
    cd().EjectCD();
    EXPECT_EQ(CdDatabase(home.file("cddat.dat")).find(2723012).record->title, "Typed, then ejected");
}

// A lookup that fails leaves the list and the fields as they were at that moment, and the
// next store finds the disc's place again instead of writing where the last disc was.
TEST_F(CdModeTest, AfterALookupThatFailedAStoreNeverOverwritesAnotherDisc)
{
    backend->insertDisc(kOtherDisc);
    cd().UpdateCDInfo();
    view.shownFields.title = "Other disc";
    cd().StoreCDInfo();
    const std::string otherRecord = database();
    std::filesystem::rename(home.file("cddat.dat"), home.file("saved"));
    std::filesystem::create_directory(home.file("cddat.dat"));

    backend->insertDisc(kTwelveTracks);
    EXPECT_EQ(errorOf([&] { cd().UpdateCDInfo(); }), "Cannot open file " + home.file("cddat.dat"));
    EXPECT_EQ(view.shownEntries.size(), 12u);
    EXPECT_TRUE(view.enabled);
    EXPECT_FALSE(session->player().isOpen());

    std::filesystem::remove(home.file("cddat.dat"));
    std::filesystem::rename(home.file("saved"), home.file("cddat.dat"));
    view.shownFields.title = "Twelve tracks";
    cd().StoreCDInfo();
    EXPECT_EQ(database().substr(0, 6080), otherRecord);
    EXPECT_EQ(CdDatabase(home.file("cddat.dat")).find(2723012).recordIndex, 1);
}

// ---- Resuming a paused track ----

// Reading the disc and a CD track's information close the player while a track is paused:
// Play opens the disc again and goes on from where it paused, and the queue moves on after.
TEST_F(CdModeTest, APausedTrackResumesWhereItPausedAfterTheDiscWasReadOrATrackDescribed)
{
    backend->insertDisc(kOtherDisc);
    backend->addMedia("/music/after.wav", {5000});
    session->playQueue().insert(0, {{"02:Second.cdt", "Second.cdt"}, {"/music/after.wav", "after.wav"}});
    session->engine().Play();
    backend->advance(5000);
    session->engine().Pause();
    EXPECT_TRUE(cd().UpdateCDInfo());
    ASSERT_FALSE(session->player().isOpen());

    session->engine().Play();
    ASSERT_TRUE(session->player().isOpen());
    EXPECT_EQ(session->player().position(), 65000) << "the track goes on where it paused";
    backend->advance(10000);
    session->engine().Pause();
    CdTrackLength(session->player(), 3);  // File > Info on a CD row
    session->engine().Play();
    EXPECT_EQ(session->player().position(), 75000);

    backend->advance(60000);  // past the track's end mark
    session->monitor().tick();
    EXPECT_EQ(session->playback().activeMedia, ActiveMedia::Wave) << "the queue moves on after the track";
    EXPECT_EQ(session->playback().currentItem, "/music/after.wav");
}

// A paused track whose disc was taken out cannot go on: the queue moves on to the next row
// and the reason is shown; the program never says "Playing" with nothing running.
TEST_F(CdModeTest, APausedTrackWhoseDiscWasEjectedGivesWayToTheNextRow)
{
    backend->insertDisc(kOtherDisc);
    backend->addMedia("/music/after.wav", {5000});
    session->playQueue().insert(0, {{"02:Second.cdt", "Second.cdt"}, {"/music/after.wav", "after.wav"}});
    session->engine().Play();
    backend->advance(5000);
    session->engine().Pause();
    cd().EjectCD();

    EXPECT_EQ(errorOf([&] { session->engine().Play(); }), "There is no disc in the drive");
    EXPECT_EQ(session->playback().playState, PlayState::Playing);
    EXPECT_EQ(session->playback().activeMedia, ActiveMedia::Wave);
    EXPECT_TRUE(session->player().isOpen());
}
