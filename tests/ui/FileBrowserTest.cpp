#include "ui/files/FileBrowser.h"

#include <sched.h>
#include <sys/mount.h>

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

#include "support/QtEvents.h"
#include "support/TempDir.h"
#include "ui/files/FileListModel.h"
#include "ui/files/VolumeWatcher.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

std::string shownText(const QAbstractItemModel& model, int row)
{
    return model.data(model.index(row, 0)).toString().toStdString();
}

Names shownTexts(const QAbstractItemModel& model)
{
    Names texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.push_back(shownText(model, row));
    return texts;
}

// Two fresh directories stand in for two volumes (the first one is "home"), and the three
// controls of the main window sit in a shown window so that clicks land on rows.
class FileBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(home.path() / "Music" / "Rock");
        fs::create_directories(home.path() / "Music" / "Jazz");
        fs::create_directories(home.path() / "Music" / ".cache");
        home.write("Music/tune.mid", "");
        home.write("Music/Loop.WAV", "");
        home.write("Music/cover.jpeg", "");
        home.write("Music/Rock/riff.mid", "");
        fs::create_directories(stick.path() / "Albums");
        stick.write("top.wav", "");
        stick.write("Albums/one.mid", "");

        auto* layout = new QVBoxLayout(&window);
        drives = new QComboBox;
        directories = new QListView;
        files = new QListView;
        layout->addWidget(drives);
        layout->addWidget(directories);
        layout->addWidget(files);
        window.resize(300, 600);
        window.show();
    }

    FileBrowser& start(const std::string& startDirectory)
    {
        FileBrowserSources sources;
        sources.volumes = [this] { return volumes; };
        sources.startDirectory = [startDirectory] { return startDirectory; };
        sources.watchMountTable = false;
        browser = std::make_unique<FileBrowser>(drives, directories, files, std::move(sources));
        browser->setMask(QStringLiteral("@@@@@._+_;*.mid;*.wav"));
        QObject::connect(browser.get(), &FileBrowser::directoryChanged, [this] { ++directoryChanges; });
        return *browser;
    }

    std::string homePath(const std::string& below = {}) const
    {
        return below.empty() ? home.path().string() : home.file(below);
    }
    std::string stickPath(const std::string& below = {}) const
    {
        return below.empty() ? stick.path().string() : stick.file(below);
    }

    int directoryRow(const std::string& path) const
    {
        const DirectoryListModel& list = browser->directoryList();
        for (int row = 0; row < list.rowCount(); ++row) {
            if (list.row(row).path == path)
                return row;
        }
        return -1;
    }

    void doubleClickDirectory(const std::string& path)
    {
        clickDirectory(path, {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease});
    }

    void clickDirectory(const std::string& path, std::initializer_list<QEvent::Type> events = {
                                                     QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
    {
        const int row = directoryRow(path);
        ASSERT_GE(row, 0) << path << " is not in the directory list";
        const QPoint at = directories->visualRect(directories->model()->index(row, 0)).center();
        QWidget* surface = directories->viewport();
        const QPointF global = surface->mapToGlobal(QPointF(at));
        for (QEvent::Type type : events) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, QPointF(at), global, Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(surface, &event);
        }
    }

    void pressEnterOn(const std::string& path)
    {
        const int row = directoryRow(path);
        ASSERT_GE(row, 0) << path << " is not in the directory list";
        directories->setCurrentIndex(directories->model()->index(row, 0));
        qt_test::pressKey(directories, Qt::Key_Return);
    }

    TempDir home;
    TempDir stick;
    Names volumes{home.path().string(), stick.path().string()};
    QWidget window;
    QComboBox* drives = nullptr;
    QListView* directories = nullptr;
    QListView* files = nullptr;
    std::unique_ptr<FileBrowser> browser;
    int directoryChanges = 0;
};

}  // namespace

TEST_F(FileBrowserTest, StartsOnTheStartDirectoryOnTheVolumeHoldingIt)
{
    FileBrowser& shown = start(homePath("Music") + "/");
    EXPECT_EQ(shown.currentVolume(), homePath());
    EXPECT_EQ(drives->currentIndex(), 0);
    EXPECT_EQ(drives->count(), 2);
    EXPECT_EQ(drives->itemText(0).toStdString(), homePath() + " [Home]");
    EXPECT_EQ(shown.directory(), homePath("Music"));
    EXPECT_EQ(shown.allNames(), (Names{"Loop.WAV", "tune.mid"}));
    EXPECT_EQ(shown.rowCount(), 2);
    EXPECT_EQ(shown.name(1), "tune.mid");
    EXPECT_EQ(shown.name(2), "") << "past the end";
}

TEST_F(FileBrowserTest, DirectoryListShowsTheChainThenTheSubdirectories)
{
    FileBrowser& shown = start(homePath("Music"));
    EXPECT_EQ(shownTexts(*directories->model()), (Names{homePath(), "  Music", "    Jazz", "    Rock"}));
    const DirectoryListModel& list = shown.directoryList();
    EXPECT_TRUE(list.row(1).onChain);
    EXPECT_FALSE(list.row(2).onChain);
    EXPECT_EQ(list.row(3).path, homePath("Music/Rock"));
    EXPECT_EQ(directories->currentIndex().row(), 1) << "the current directory is the current row";
}

TEST_F(FileBrowserTest, DoubleClickOrEnterOpensARowsDirectory)
{
    FileBrowser& shown = start(homePath("Music"));
    doubleClickDirectory(homePath("Music/Rock"));
    EXPECT_EQ(shown.directory(), homePath("Music/Rock"));
    EXPECT_EQ(shown.allNames(), Names{"riff.mid"});
    EXPECT_EQ(shownTexts(*directories->model()), (Names{homePath(), "  Music", "    Rock"}));
    EXPECT_EQ(directoryChanges, 1);

    doubleClickDirectory(homePath());
    EXPECT_EQ(shown.directory(), homePath());
    EXPECT_TRUE(shown.allNames().empty());
    EXPECT_EQ(shownTexts(*directories->model()), (Names{homePath(), "  Music"})) << "hidden ones left out";

    pressEnterOn(homePath("Music"));
    EXPECT_EQ(shown.directory(), homePath("Music"));
    EXPECT_EQ(directoryChanges, 3);
}

TEST_F(FileBrowserTest, LinksToDirectoriesAreShownAndOpenedAlongTheirOwnPath)
{
    fs::create_directory_symlink(homePath("Music/Rock"), homePath("Music/Favourites"));
    FileBrowser& shown = start(homePath("Music"));
    doubleClickDirectory(homePath("Music/Favourites"));
    EXPECT_EQ(shown.directory(), homePath("Music/Favourites"));
    EXPECT_EQ(shown.allNames(), Names{"riff.mid"});
    EXPECT_EQ(shownTexts(*directories->model()).back(), "    Favourites");
}

TEST_F(FileBrowserTest, EachVolumeReopensWhereItWasLeft)
{
    FileBrowser& shown = start(homePath("Music"));
    drives->setCurrentIndex(1);
    EXPECT_EQ(shown.currentVolume(), stickPath());
    EXPECT_EQ(shown.directory(), stickPath()) << "a volume not holding the start directory opens on its root";
    EXPECT_EQ(shown.allNames(), Names{"top.wav"});
    doubleClickDirectory(stickPath("Albums"));
    EXPECT_EQ(shown.directory(), stickPath("Albums"));

    drives->setCurrentIndex(0);
    EXPECT_EQ(shown.directory(), homePath("Music"));
    doubleClickDirectory(homePath("Music/Jazz"));

    drives->setCurrentIndex(1);
    EXPECT_EQ(shown.directory(), stickPath("Albums"));
    EXPECT_EQ(shown.allNames(), Names{"one.mid"});
    drives->setCurrentIndex(0);
    EXPECT_EQ(shown.directory(), homePath("Music/Jazz"));
}

TEST_F(FileBrowserTest, SettingADirectorySelectsTheVolumeHoldingIt)
{
    FileBrowser& shown = start(homePath());
    shown.setDirectory(stickPath("Albums/"));
    EXPECT_EQ(drives->currentIndex(), 1);
    EXPECT_EQ(shown.directory(), stickPath("Albums"));
    EXPECT_EQ(shownTexts(*directories->model()), (Names{stickPath(), "  Albums"}));
    shown.setDirectory("relative/path");
    EXPECT_EQ(shown.directory(), stickPath("Albums")) << "not a place: nothing changes";
}

TEST_F(FileBrowserTest, ARemovedDirectoryLeavesEmptyListsAndAVolumeReopensAboveIt)
{
    FileBrowser& shown = start(homePath("Music"));
    doubleClickDirectory(homePath("Music/Rock"));
    fs::remove_all(homePath("Music"));
    shown.refresh();
    EXPECT_EQ(shown.directory(), homePath("Music/Rock"));
    EXPECT_EQ(shown.rowCount(), 0);
    EXPECT_EQ(shownTexts(*directories->model()), (Names{homePath(), "  Music", "    Rock"})) << "no subdirectories";

    drives->setCurrentIndex(1);
    drives->setCurrentIndex(0);
    EXPECT_EQ(shown.directory(), homePath()) << "the nearest directory still there";
}

TEST_F(FileBrowserTest, AnUnreadableStartDirectoryShowsNothingBelowIt)
{
    home.write("plain", "");
    FileBrowser& shown = start(homePath("plain/below"));
    EXPECT_EQ(shown.directory(), homePath("plain/below"));
    EXPECT_EQ(shown.rowCount(), 0);
    EXPECT_EQ(shownTexts(*directories->model()), (Names{homePath(), "  plain", "    below"}));
}

TEST_F(FileBrowserTest, AStartDirectoryOnNoVolumeOpensTheHomeVolume)
{
    FileBrowser& shown = start("");
    EXPECT_EQ(shown.currentVolume(), homePath());
    EXPECT_EQ(shown.directory(), homePath());
}

TEST_F(FileBrowserTest, AVolumeThatGoesAwayHandsOverToHome)
{
    FileBrowser& shown = start(homePath("Music"));
    drives->setCurrentIndex(1);
    doubleClickDirectory(stickPath("Albums"));
    volumes = {homePath()};
    shown.refreshVolumes();
    EXPECT_EQ(drives->count(), 1);
    EXPECT_EQ(shown.currentVolume(), homePath());
    EXPECT_EQ(shown.directory(), homePath("Music"));
    EXPECT_EQ(shown.allNames(), (Names{"Loop.WAV", "tune.mid"}));

    volumes = {homePath(), stickPath()};
    shown.refreshVolumes();
    EXPECT_EQ(shown.directory(), homePath("Music")) << "a volume coming back does not take over";
    drives->setCurrentIndex(1);
    EXPECT_EQ(shown.directory(), stickPath("Albums")) << "it reopens where it was left";

    volumes.clear();
    shown.refreshVolumes();
    EXPECT_EQ(drives->count(), 0);
    EXPECT_EQ(shown.rowCount(), 0);
    EXPECT_EQ(shown.directoryList().rowCount(), 0);
    EXPECT_EQ(shown.directory(), "");
}

TEST_F(FileBrowserTest, AnotherVolumeGoingAwayLeavesTheListingAlone)
{
    FileBrowser& shown = start(homePath("Music"));
    const int changesBefore = directoryChanges;
    volumes = {homePath()};
    shown.refreshVolumes();
    EXPECT_EQ(drives->count(), 1);
    EXPECT_EQ(drives->currentIndex(), 0);
    EXPECT_EQ(shown.directory(), homePath("Music"));
    EXPECT_EQ(directoryChanges, changesBefore);
}

TEST_F(FileBrowserTest, MaskAndRefreshDecideWhenTheFileListIsReadAgain)
{
    FileBrowser& shown = start(homePath("Music"));
    home.write("Music/late.mid", "");
    shown.setMask(QStringLiteral("@@@@@._+_;*.mid;*.wav"));
    EXPECT_EQ(shown.rowCount(), 2) << "the same mask reads nothing again";
    shown.setMask(QStringLiteral("@@@@@._+_;*.mid"));
    EXPECT_EQ(shown.allNames(), (Names{"late.mid", "tune.mid"}));
    home.write("Music/later.mid", "");
    shown.refresh();
    EXPECT_EQ(shown.allNames(), (Names{"late.mid", "later.mid", "tune.mid"}));
    shown.setMask(QStringLiteral("@@@@@._+_"));
    EXPECT_EQ(shown.rowCount(), 0);
}

TEST_F(FileBrowserTest, SelectionIsReportedInAscendingRows)
{
    for (const char* name : {"a.mid", "b.mid", "c.mid", "d.mid"})
        stick.write(name, "");
    FileBrowser& shown = start(stickPath());
    ASSERT_EQ(shown.rowCount(), 5);
    EXPECT_EQ(files->selectionMode(), QAbstractItemView::ExtendedSelection);
    auto* selection = files->selectionModel();
    selection->select(files->model()->index(3, 0), QItemSelectionModel::Select);
    selection->select(files->model()->index(0, 0), QItemSelectionModel::Select);
    selection->select(files->model()->index(2, 0), QItemSelectionModel::Select);
    EXPECT_EQ(shown.selectedRows(), (std::vector<int>{0, 2, 3}));
    EXPECT_TRUE(shown.isSelected(2));
    EXPECT_FALSE(shown.isSelected(1));
    EXPECT_FALSE(shown.isSelected(99));
}

// Without a window to hand over its filters, the start directory is listed with the first
// mask, "*.mid", once the event loop turns.
// A directory opens on a double click (or Enter), also where the desktop activates items
// with a single click: a single click only selects it.
TEST_F(FileBrowserTest, ADirectoryOpensOnADoubleClickEvenWhereOneClickActivates)
{
    struct SingleClickStyle final : QProxyStyle {
        int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                      QStyleHintReturn* returned) const override
        {
            if (hint == QStyle::SH_ItemView_ActivateItemOnSingleClick)
                return 1;
            return QProxyStyle::styleHint(hint, option, widget, returned);
        }
    };
    SingleClickStyle style;
    directories->setStyle(&style);
    FileBrowser& shown = start(homePath("Music"));
    clickDirectory(homePath("Music/Rock"));
    EXPECT_EQ(shown.directory(), homePath("Music")) << "one click opened the directory";
    doubleClickDirectory(homePath("Music/Rock"));
    EXPECT_EQ(shown.directory(), homePath("Music/Rock"));
    pressEnterOn(homePath("Music"));
    EXPECT_EQ(shown.directory(), homePath("Music"));
    directories->setStyle(nullptr);
}

TEST_F(FileBrowserTest, WithoutAnotherMaskTheStartDirectoryIsListedWithTheFirst)
{
    FileBrowserSources sources;
    sources.volumes = [this] { return volumes; };
    sources.startDirectory = [this] { return homePath("Music"); };
    sources.watchMountTable = false;
    FileBrowser alone(drives, directories, files, std::move(sources));
    EXPECT_EQ(alone.fileList().mask().toStdString(), "*.mid");
    ASSERT_TRUE(qt_test::waitUntil([&] { return alone.rowCount() > 0; }));
    EXPECT_EQ(alone.allNames(), (Names{"tune.mid"}));
}

TEST(FileListModel, RowsShowTheNameAndGiveItsBytesBack)
{
    TempDir dir;
    const std::string latin1 = "caf\xe9.mid";
    dir.write(latin1, "");
    dir.write("plain.mid", "");
    FileListModel model;
    model.setMask(QStringLiteral("*.mid"));
    model.setDirectory(dir.path().string());
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.name(0), latin1);
    EXPECT_EQ(model.data(model.index(0, 0), FileListModel::NameBytesRole).toByteArray().toStdString(), latin1);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QString::fromLocal8Bit(latin1.c_str()));
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), QStringLiteral("plain.mid"));
    EXPECT_FALSE(model.data(model.index(2, 0)).isValid());
}

TEST(FileListModel, EachReadIsOneReset)
{
    TempDir dir;
    dir.write("a.mid", "");
    FileListModel model;
    int resets = 0;
    int inserts = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&] { ++inserts; });
    model.setMask(QStringLiteral("*"));
    model.setDirectory(dir.path().string());
    model.setDirectory(dir.path().string());
    model.setMask(QStringLiteral("*"));
    model.refresh();
    EXPECT_EQ(resets, 4) << "mask set, directory twice, refresh; the unchanged mask read nothing";
    EXPECT_EQ(inserts, 0);
    EXPECT_EQ(model.directory(), dir.path().string());
}

TEST(DirectoryRows, TheRootShowsItsPathTheRestTheirNames)
{
    const std::vector<DirectoryRow> rows = DirectoryRows("/", "/music/rock", {"live", "studio"});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].name, "/");
    EXPECT_EQ(rows[1].name, "music");
    EXPECT_EQ(rows[2].path, "/music/rock");
    EXPECT_EQ(rows[2].depth, 2);
    EXPECT_TRUE(rows[2].onChain);
    EXPECT_EQ(rows[3].path, "/music/rock/live");
    EXPECT_EQ(rows[3].depth, 3);
    EXPECT_FALSE(rows[4].onChain);

    const std::vector<DirectoryRow> atRoot = DirectoryRows("/media/USB", "/media/USB", {"a"});
    ASSERT_EQ(atRoot.size(), 2u);
    EXPECT_EQ(atRoot[0].name, "/media/USB");
    EXPECT_EQ(atRoot[1].path, "/media/USB/a");
}

// Runs the event loop until `watcher` has reported `count` changes in all, or `limit` ms.
void waitForChanges(VolumeWatcher& watcher, const int& changes, int count, int limit)
{
    QEventLoop loop;
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    QObject::connect(&watcher, &VolumeWatcher::volumesChanged, &loop, [&] {
        if (changes >= count)
            loop.quit();
    });
    if (changes < count)
        loop.exec();
}

// Other tests running beside these mount scratch volumes of their own; a process that may
// mount takes a private copy of the mount table so that it sees only its own mounts.
// Without the right to (not root), nothing here mounts anything either.
void keepMountsToThisProcess()
{
    if (unshare(CLONE_NEWNS) == 0)
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
}

// Mounting needs the right to (CI runs as root); elsewhere the test says why it skipped.
TEST(VolumeWatcher, ReportsAMountAndAnUnmount)
{
    keepMountsToThisProcess();
    VolumeWatcher watcher;
    ASSERT_TRUE(watcher.isWatching());
    int changes = 0;
    QObject::connect(&watcher, &VolumeWatcher::volumesChanged, [&] { ++changes; });
    TempDir place;
    if (mount("sonorail-test", place.path().c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount here: " << std::strerror(errno);
    waitForChanges(watcher, changes, 1, 10000);
    const int afterMount = changes;
    EXPECT_GE(afterMount, 1);
    EXPECT_EQ(umount(place.path().c_str()), 0);
    waitForChanges(watcher, changes, afterMount + 1, 10000);
    EXPECT_GT(changes, afterMount);
}

TEST(VolumeWatcher, StaysQuietWhileNothingIsMounted)
{
    keepMountsToThisProcess();
    VolumeWatcher watcher;
    int changes = 0;
    QObject::connect(&watcher, &VolumeWatcher::volumesChanged, [&] { ++changes; });
    waitForChanges(watcher, changes, 1, 300);  // a table flagged all the time would show here
    EXPECT_EQ(changes, 0);
}

TEST(VolumeWatcher, AMissingTableIsNotWatched)
{
    TempDir dir;
    VolumeWatcher watcher(nullptr, dir.file("no-such-table"));
    EXPECT_FALSE(watcher.isWatching());
}
