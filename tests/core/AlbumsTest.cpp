#include <gtest/gtest.h>

#include <filesystem>

#include "support/FakeQueueWindow.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "core/albums/Albums.h"
#include "core/base/ProgramPaths.h"
#include "core/base/SonorailError.h"
#include "support/ErrorOf.h"

namespace {

using Texts = std::vector<std::string>;

// The album operations over a queue, with the program's files in a fresh directory.
class AlbumsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallProgramPaths(ProgramPaths::fromLocation({"/nowhere/sonorail", home.path().string(), {}, {}}));
        settings.optShowQueueItemsAdded = true;  // so the tests see when the queue is validated
    }

    void fill(const Texts& texts)
    {
        std::vector<QueueEntry> entries;
        for (const std::string& text : texts)
            entries.push_back({text, QueueShortName(text)});
        queue.insert(queue.count(), std::move(entries));
    }

    Texts texts() const
    {
        Texts result;
        for (int row = 0; row < queue.count(); ++row)
            result.push_back(queue.entry(row).text);
        return result;
    }

    void choose(const std::string& path, int filter = 0)
    {
        dialogs.fileChoices.push_back(FileDialogChoice{path, filter});
    }

    TempDir home;
    TempDir music;
    ScriptedDialogs dialogs;
    Settings settings;
    FakeQueueWindow window;
    PlayQueue queue;
    QueueEditing editing{queue, settings, window.views};
    Albums albums{queue, editing, settings, window.views};
};

TEST_F(AlbumsTest, ASavedQueueOpensAsTheSameEntriesUnplayedWithTheirShortNames)
{
    fill({"/home/ann/Music/song.mid", "03:Track Three.cdt"});
    queue.setPlayed(0, true);
    choose(music.file("party.alb"));
    albums.SaveAlbum();
    EXPECT_EQ(music.read("party.alb"), "/home/ann/Music/song.mid\r\n03:Track Three.cdt\r\n");
    EXPECT_TRUE(dialogs.shown.empty()) << "no message follows a save";
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(dialogs.fileRequests[0].filters[0].caption, "Album Files (*.ALB)");

    queue.clear();
    choose(music.file("party.alb"));
    albums.OpenAlbum();
    EXPECT_TRUE(dialogs.shown.empty()) << "an empty queue is replaced without asking";
    EXPECT_EQ(texts(), (Texts{"/home/ann/Music/song.mid", "03:Track Three.cdt"}));
    EXPECT_EQ(queue.entry(0).fileName, "song.mid");
    EXPECT_EQ(queue.entry(1).fileName, "Track Three.cdt");
    EXPECT_FALSE(queue.entry(0).played);
    EXPECT_EQ(window.info, "Opened album " + music.file("party.alb"));
    EXPECT_EQ(window.reveals, 1);
}

TEST_F(AlbumsTest, OpeningAsksBeforeReplacingAQueueAndNoKeepsItAsItWas)
{
    fill({"/a/one.mid", "/a/two.wav"});
    queue.setPlayed(1, true);
    music.write("b.alb", "/b/three.avi\r\n");
    choose(music.file("b.alb"));
    dialogs.answers = {DialogAnswer::No};
    albums.OpenAlbum();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Warning);
    EXPECT_EQ(dialogs.shown[0].buttons, DialogButtons::YesNo);
    EXPECT_EQ(dialogs.shown[0].text,
              "The queue is not empty and when you open an album the queue's current items "
              "will be removed.  Continue?");
    EXPECT_EQ(texts(), (Texts{"/a/one.mid", "/a/two.wav"}));
    EXPECT_TRUE(queue.entry(1).played);
    EXPECT_EQ(window.reveals, 0) << "No stops before the queue is validated or shown";

    choose(music.file("b.alb"));
    dialogs.answers = {DialogAnswer::Yes};
    albums.OpenAlbum();
    EXPECT_EQ(texts(), Texts{"/b/three.avi"});

    settings.optConfirmOpenWhenQueueNotEmpty = false;
    dialogs.shown.clear();
    choose(music.file("b.alb"));
    albums.OpenAlbum();
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AlbumsTest, CancellingTheOpenDialogStillValidatesTheQueue)
{
    fill({"/a/one.mid", "/a/notes.xyz"});
    albums.OpenAlbum();
    EXPECT_EQ(texts(), Texts{"/a/one.mid"});
    EXPECT_EQ(window.reveals, 1);
}

TEST_F(AlbumsTest, AnAlbumThatCannotBeReadLeavesTheQueueAsItWas)
{
    fill({"/a/one.mid", "/a/two.wav"});
    queue.setPlayed(0, true);
    choose(music.file("missing.alb"));
    dialogs.answers = {DialogAnswer::Yes};
    EXPECT_EQ(errorOf([&] { albums.OpenAlbum(); }), "Cannot open file " + music.file("missing.alb"));
    EXPECT_EQ(texts(), (Texts{"/a/one.mid", "/a/two.wav"}));
    EXPECT_TRUE(queue.entry(0).played);

    std::filesystem::create_directory(music.file("folder.alb"));
    choose(music.file("folder.alb"));
    dialogs.answers = {DialogAnswer::Yes};
    EXPECT_EQ(errorOf([&] { albums.OpenAlbum(); }), "Cannot open file " + music.file("folder.alb"));
    EXPECT_EQ(queue.count(), 2);
}

TEST_F(AlbumsTest, EntriesOfNoKnownKindAreDroppedFromAnOpenedFile)
{
    music.write("mixed.alb", "/a/one.mid\n\n/a/readme\n/a/two.JPG");
    choose(music.file("mixed.alb"));
    albums.OpenAlbum();
    EXPECT_EQ(texts(), (Texts{"/a/one.mid", "/a/two.JPG"}));

    music.write("list.m3u", "#EXTM3U\n#EXTINF:1,x\nsub/song.mid\nhttp://radio.example/live.mid\nsong.mod\n");
    choose(music.file("list.m3u"), 1);
    settings.optConfirmOpenWhenQueueNotEmpty = false;
    albums.OpenAlbum();
    EXPECT_EQ(texts(), Texts{music.file("sub/song.mid")});
}

TEST_F(AlbumsTest, TheOpenDialogCompletesATypedNameAndOffersTheLastFile)
{
    music.write("party.alb", "/a/one.mid\r\n");
    music.write("noext", "/a/two.mid\r\n");
    choose(music.file("party"));
    albums.OpenAlbum();
    EXPECT_EQ(texts(), Texts{"/a/one.mid"});

    settings.optConfirmOpenWhenQueueNotEmpty = false;
    choose(music.file("noext"));
    albums.OpenAlbum();
    EXPECT_EQ(texts(), Texts{"/a/two.mid"}) << "an existing file without extension is opened as it is";

    albums.OpenAlbum();
    ASSERT_EQ(dialogs.fileRequests.size(), 3u);
    EXPECT_EQ(dialogs.fileRequests[1].initialFile, music.file("party.alb"));
    EXPECT_EQ(dialogs.fileRequests[2].initialFile, music.file("noext"));
    EXPECT_EQ(dialogs.fileRequests[0].filters.size(), 2u) << "albums and playlists";
}

TEST_F(AlbumsTest, SavingAnEmptyQueueOnlySaysSo)
{
    albums.SaveAlbum();
    EXPECT_EQ(window.info, "There are currently no items in the queue.");
    EXPECT_TRUE(dialogs.fileRequests.empty());
}

TEST_F(AlbumsTest, TheChosenTypeDecidesTheFormatAndTheExtensionOfATypedName)
{
    fill({"/a/one.mid", "02:Two.cdt"});
    choose(music.file("list"), 1);
    albums.SaveAlbum();
    EXPECT_EQ(music.read("list.m3u8"), "#EXTM3U\n/a/one.mid\n");
    choose(music.file("plain"), 0);
    albums.SaveAlbum();
    EXPECT_EQ(music.read("plain.alb"), "/a/one.mid\r\n02:Two.cdt\r\n");
    albums.SaveAlbum();  // cancelled
    EXPECT_EQ(dialogs.fileRequests.back().initialFile, music.file("plain.alb"));
}

TEST_F(AlbumsTest, ANameCompletedToAnExistingFileIsAskedAboutAndNoReturnsToTheDialog)
{
    fill({"/a/one.mid"});
    music.write("old.alb", "/kept.mid\r\n");
    choose(music.file("old"));
    dialogs.answers = {DialogAnswer::No};
    albums.SaveAlbum();  // No, then the dialog again, which is cancelled
    EXPECT_EQ(dialogs.fileRequests.size(), 2u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, music.file("old.alb") + " already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(music.read("old.alb"), "/kept.mid\r\n");

    choose(music.file("old"));
    dialogs.answers = {DialogAnswer::Yes};
    albums.SaveAlbum();
    EXPECT_EQ(music.read("old.alb"), "/a/one.mid\r\n");
}

TEST_F(AlbumsTest, TheDefaultAlbumIsSavedAtExitAsTheOptionSays)
{
    home.write("default.alb", "/old.mid\r\n");
    for (int option : {int{daYes}, int{daNo}, int{daPrompt}, 7}) {
        settings.optSaveDefaultAlbumWhenDone = option;
        albums.SaveDefaultAlbum(true);
    }
    EXPECT_EQ(home.read("default.alb"), "/old.mid\r\n") << "an empty queue never touches the default album";
    EXPECT_TRUE(dialogs.shown.empty());

    fill({"/a/one.mid"});
    settings.optSaveDefaultAlbumWhenDone = daNo;
    albums.SaveDefaultAlbum(true);
    EXPECT_EQ(home.read("default.alb"), "/old.mid\r\n");

    settings.optSaveDefaultAlbumWhenDone = daPrompt;
    albums.SaveDefaultAlbum(false);
    EXPECT_TRUE(dialogs.shown.empty()) << "nothing is asked when no one can answer";
    dialogs.answers = {DialogAnswer::No};
    albums.SaveDefaultAlbum(true);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[0].text, "Do you want to save the queue as the default album?");
    EXPECT_EQ(home.read("default.alb"), "/old.mid\r\n");
    dialogs.answers = {DialogAnswer::Yes};
    albums.SaveDefaultAlbum(true);
    EXPECT_EQ(home.read("default.alb"), "/a/one.mid\r\n");

    fill({"/a/two.mid"});
    settings.optSaveDefaultAlbumWhenDone = 7;  // any other value is "Yes"
    albums.SaveDefaultAlbum(true);
    EXPECT_EQ(home.read("default.alb"), "/a/one.mid\r\n/a/two.mid\r\n");
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(AlbumsTest, TheDefaultAlbumIsLoadedAtStartAsTheOptionSays)
{
    albums.LoadDefaultAlbum();
    EXPECT_EQ(window.reveals, 1) << "without a default album the queue is validated all the same";

    home.write("default.alb", "/a/one.mid\n/a/unknown.kind\n03:Three.cdt");
    settings.optLoadDefaultAlbumWhenStart = daNo;
    albums.LoadDefaultAlbum();
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(window.reveals, 1) << "\"No\" does not validate the queue";

    settings.optLoadDefaultAlbumWhenStart = daPrompt;
    dialogs.answers = {DialogAnswer::No};
    albums.LoadDefaultAlbum();
    EXPECT_TRUE(queue.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[0].text, "Do you want to load the default album into the queue?");

    dialogs.answers = {DialogAnswer::Yes};
    albums.LoadDefaultAlbum();
    EXPECT_EQ(texts(), (Texts{"/a/one.mid", "03:Three.cdt"}));
    EXPECT_EQ(queue.entry(1).fileName, "Three.cdt");

    settings.optLoadDefaultAlbumWhenStart = 7;  // "Yes"
    albums.LoadDefaultAlbum();
    EXPECT_EQ(texts(), (Texts{"/a/one.mid", "03:Three.cdt"})) << "the album replaces the queue";
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

}  // namespace
