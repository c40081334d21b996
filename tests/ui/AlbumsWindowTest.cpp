// Albums in the running main window: the default album at start and exit, and the
// commands that open and save albums.
#include <QAction>
#include <QLabel>
#include <QListView>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>

#include "support/MainWindowFixture.h"

namespace {

using AlbumsWindowTest = MainWindowFixture;

TEST_F(AlbumsWindowTest, TheDefaultAlbumComesBackAtStartAndIsShown)
{
    home.write("default.alb", "/music/a.mid\r\n02:Second.cdt\r\n/music/readme\r\n");
    MainWindow& form = start();
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{"/music/a.mid", "02:Second.cdt"}));
    EXPECT_EQ(findControl<QListView>(form, "queue")->model()->rowCount(), 2);
    EXPECT_EQ(findControl<QListView>(form, "queuefilename")->model()->index(1, 0).data().toString(), "Second.cdt");
}

TEST_F(AlbumsWindowTest, OptionNoAtStartLeavesTheQueueEmpty)
{
    home.write("default.alb", "/music/a.mid\r\n");
    home.write("sr3.ini", "[Albums]\r\noptLoadDefaultAlbumWhenStart=1\r\n");
    start();
    EXPECT_TRUE(session->playQueue().empty());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AlbumsWindowTest, AnUnreadableDefaultAlbumIsReportedAndTheProgramStarts)
{
    std::filesystem::create_directory(home.file("default.alb"));
    MainWindow& form = start();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Cannot open file " + home.file("default.alb") + ".");
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(session->playback().MonitorReady) << "the rest of start-up ran";
}

TEST_F(AlbumsWindowTest, TheQueueIsSavedAtExitAndAnUnwritableDefaultAlbumKeepsTheProgramOpen)
{
    MainWindow& form = start();
    session->queueEditing().AddFiles({"/music/a.mid", "/music/b.wav"}, false);
    std::filesystem::create_directory(home.file("default.alb"));
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(session->playQueue().count(), 2);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Cannot create file " + home.file("default.alb") + ".");

    std::filesystem::remove(home.file("default.alb"));
    EXPECT_TRUE(form.close());
    EXPECT_EQ(home.read("default.alb"), "/music/a.mid\r\n/music/b.wav\r\n");
}

TEST_F(AlbumsWindowTest, TheMenuCommandsSaveAndOpenAlbums)
{
    MainWindow& form = start();
    session->queueEditing().AddFiles({"/music/a.mid", "/music/b.wav"}, false);
    dialogs.fileChoices = {FileDialogChoice{home.file("mine"), 0}};
    dispatcher.ExecuteCommand(Command::SaveAlbum);
    EXPECT_EQ(home.read("mine.alb"), "/music/a.mid\r\n/music/b.wav\r\n");

    session->queueEditing().AddFiles({"/music/c.avi"}, false);
    dialogs.fileChoices = {FileDialogChoice{home.file("mine.alb"), 0}};
    dialogs.answers = {DialogAnswer::Yes};
    dispatcher.ExecuteCommand(Command::OpenAlbum);
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{"/music/a.mid", "/music/b.wav"}));
    EXPECT_EQ(findControl<QListView>(form, "queue")->model()->rowCount(), 2);
    EXPECT_EQ(findControl<QLabel>(form, "infobar")->text().toStdString(), "Opened album " + home.file("mine.alb"));

    dialogs.shown.clear();
    dialogs.fileChoices = {FileDialogChoice{home.file("gone.alb"), 0}};
    dialogs.answers = {DialogAnswer::Yes};
    dispatcher.ExecuteCommand(Command::OpenAlbum);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[1].text, "Cannot open file " + home.file("gone.alb") + ".");
    EXPECT_EQ(session->playQueue().count(), 2) << "the queue is kept when the album cannot be read";
}

}  // namespace
