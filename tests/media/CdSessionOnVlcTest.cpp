// A user's CD session on the real back end with a BIN/CUE image named in "sr3.ini": the disc
// is read (twelve rows), named, its names come back after a restart, "Play the CD" plays it
// whole from the first track to the last, and "Eject CD" only releases the image.
#include <gtest/gtest.h>

#include <filesystem>

#include "MediaTestSupport.h"
#include "core/base/ProgramPaths.h"
#include "core/session/Jukebox.h"
#include "media/VlcBackend.h"
#include "support/FakeCdView.h"
#include "support/RecordingCommands.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"
#include "support/TestMedia.h"

namespace {

// Tracks of 1.2 s: each plays its first 0.2 s (a track ends a second early) and moves on.
const std::vector<int> kTwelveShortTracks(12, 90);

class CdSessionOnVlcTest : public ::testing::Test {
protected:
    CdSessionOnVlcTest()
    {
        media_test::useDummyOutputs();
        InstallProgramPaths(ProgramPaths::fromLocation({dir.file("sonorail"), dir.path().string(), {}, {}}));
        const test_media::CdImage image = test_media::cdImage("disc.bin", kTwelveShortTracks);
        test_files::write(dir.file("disc.bin"), image.bin);
        test_files::write(dir.file("disc.cue"), image.cue);
        start();
    }

    // A run of the program: a new session on the same files; "All ->" adds the CD list,
    // as the main window does on the CD tab.
    void start()
    {
        session.reset();
        commands.operations.clear();
        auto drive = std::make_unique<VlcBackend>();
        drive->setCdDevice("disc.cue");
        session = std::make_unique<Jukebox>(std::move(drive), commands, std::vector<std::string>{});
        session->attachCdView(&view);
        commands.setOperation(Command::AddAllToQueue, [this] {
            std::vector<QueueEntry> entries;
            for (const std::string& entry : view.shownEntries)
                entries.push_back({entry, entry});
            session->playQueue().insert(session->playQueue().count(), entries);
        });
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    CommandLog log;
    RecordingCommands commands{log};
    FakeCdView view;
    std::unique_ptr<Jukebox> session;
};

}  // namespace

TEST_F(CdSessionOnVlcTest, ReadNameRestartPlayWholeAndEject)
{
    ASSERT_TRUE(session->cd().UpdateCDInfo());
    ASSERT_EQ(view.shownEntries.size(), 12u);
    view.shownFields.title = "Twelve Short Ones";
    view.shownEntries[0] = "01:The First.cdt";
    view.shownEntries[11] = "12:The Last.cdt";
    session->cd().StoreCDInfo();

    start();
    view = FakeCdView{};
    ASSERT_TRUE(session->cd().UpdateCDInfo());
    EXPECT_EQ(view.shownFields.title, "Twelve Short Ones");
    EXPECT_EQ(view.shownEntries[0], "01:The First.cdt");

    EXPECT_TRUE(session->cd().PlayTheCD());
    std::vector<std::string> played;
    ASSERT_TRUE(media_test::eventually([&] {
        session->monitor().tick();
        const std::string& item = session->playback().currentItem;
        if (!item.empty() && (played.empty() || played.back() != item))
            played.push_back(item);
        return session->playback().playState == PlayState::Stopped;
    }));
    ASSERT_EQ(played.size(), 12u);
    EXPECT_EQ(played.front(), "01:The First.cdt");
    EXPECT_EQ(played[5], "06:Name of Track.cdt");
    EXPECT_EQ(played.back(), "12:The Last.cdt");

    session->playQueue().insert(0, {{"03:Name of Track.cdt", "Name of Track.cdt"}});
    session->cd().EjectCD();
    EXPECT_TRUE(session->playQueue().empty());
    EXPECT_TRUE(view.shownEntries.empty());
    EXPECT_TRUE(std::filesystem::exists(dir.file("disc.cue")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("disc.bin")));
    EXPECT_TRUE(session->cd().UpdateCDInfo()) << "an image is only released by an eject";
}

// No disc behind the key: a missing image reads as no disc, quietly.
TEST_F(CdSessionOnVlcTest, AMissingImageReadsAsNoDisc)
{
    std::filesystem::remove(dir.file("disc.cue"));
    EXPECT_FALSE(session->cd().UpdateCDInfo());
    EXPECT_TRUE(view.shownEntries.empty());
    EXPECT_FALSE(session->player().isOpen());
    EXPECT_TRUE(dialogs.shown.empty());
}
