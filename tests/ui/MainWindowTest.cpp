#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/TerminationWatcher.h"
#include "support/FileAccessCounter.h"
#include "support/HangWatchdog.h"
#include "support/MainWindowFixture.h"
#include "ui/files/FileBrowser.h"
#include "ui/welcome/WelcomeWindow.h"
#include "ui/toolbar/Toolbar.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/queue/MusicTagCache.h"
#include "ui/commands/CommandDispatcher.h"
#include "core/base/ProgramPaths.h"
#include "core/base/SonorailError.h"
#include "core/commands/CommandTable.h"

namespace {

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, WindowHasTheDesignedClientAreaAndTitle)
{
    MainWindow& form = start();
    EXPECT_EQ(form.windowTitle(), "Sonorail V3.0-Win95 Beta2");
    EXPECT_EQ(form.centralWidget()->size(), QSize(488, 404));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the window is not resizable";
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(findControl<QLabel>(form, "infobar")->text(), "Sonorail");
    EXPECT_EQ(findControl<QLabel>(form, "statusbar")->text(), "The Status Bar.");
    EXPECT_EQ(toolbar->height(), 40);
}

TEST_F(MainWindowTest, EveryControlOfferingACommandRaisesTheSameOne)
{
    MainWindow& form = start();
    recordCommands();
    for (Command command : CommandTable::allCommands())
        dispatcher.SetCommandEnabled(command, true);
    int offerings = 0;
    for (Command command : CommandTable::allCommands()) {
        for (QObject* control : dispatcher.offerersOf(command)) {
            raised.clear();
            if (auto* item = qobject_cast<QAction*>(control))
                item->trigger();
            else if (auto* button = qobject_cast<QAbstractButton*>(control))
                button->click();
            else
                continue;
            ++offerings;
            ASSERT_EQ(raised.size(), 1u) << control->objectName().toStdString();
            EXPECT_EQ(raised[0].first, command) << control->objectName().toStdString();
            EXPECT_EQ(raised[0].second, control);
        }
    }
    // 33 menu items, the menu bar's own "E&xit!", 17 popup items, six buttons and the
    // toolbar's eleven slots.
    EXPECT_EQ(offerings, 68);
    EXPECT_TRUE(form.findChild<QAction*>("mnuExitBar"));
}

TEST_F(MainWindowTest, DisabledControlsCannotRaiseTheirCommand)
{
    start();
    recordCommands();
    dispatcher.SetCommandEnabled(Command::AddToQueue, false);
    for (QObject* control : dispatcher.offerersOf(Command::AddToQueue)) {
        if (auto* item = qobject_cast<QAction*>(control)) {
            EXPECT_FALSE(item->isEnabled());
            item->trigger();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            EXPECT_FALSE(button->isEnabled());
            button->click();
        }
    }
    EXPECT_TRUE(raised.empty());
    dispatcher.SetCommandEnabled(Command::AddToQueue, true);
    for (QObject* control : dispatcher.offerersOf(Command::AddToQueue))
        EXPECT_TRUE(control->property("enabled").toBool());
}

TEST_F(MainWindowTest, StartUpGreysPauseStopNextAndEject)
{
    start();
    for (Command command : {Command::Pause, Command::Stop, Command::Next, Command::EjectCd})
        for (QObject* control : dispatcher.offerersOf(command))
            EXPECT_FALSE(control->property("enabled").toBool()) << CommandNumber(command);
    for (QObject* control : dispatcher.offerersOf(Command::Play))
        EXPECT_TRUE(control->property("enabled").toBool());
}

TEST_F(MainWindowTest, CommandLineSwitchesPresetThePlayModes)
{
    MainWindow& form = start({"/s", "/b", "/c", "-x", "/m"});
    EXPECT_TRUE(findControl<QCheckBox>(form, "chkBackwards")->isChecked());
    EXPECT_TRUE(findControl<QCheckBox>(form, "chkContinuous")->isChecked());
    EXPECT_FALSE(findControl<QCheckBox>(form, "chkShuffle")->isChecked());
    EXPECT_TRUE(session->startsMinimised());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindowTest, OptionsSwitchShowsItsBoxAndStartUpGoesOn)
{
    MainWindow& form = start({"/?", "/r"});
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
    EXPECT_EQ(dialogs.shown[0].buttons, DialogButtons::Ok);
    EXPECT_EQ(dialogs.shown[0].text.substr(0, 22), "Command Line Options\n\r");
    EXPECT_TRUE(findControl<QCheckBox>(form, "chkRandom")->isChecked());
}

TEST_F(MainWindowTest, ClickingAModeBoxUnchecksTheModesItExcludes)
{
    MainWindow& form = start();
    findControl<QCheckBox>(form, "chkRandom")->click();
    findControl<QCheckBox>(form, "chkContinuous")->click();
    findControl<QCheckBox>(form, "chkShuffle")->click();
    EXPECT_TRUE(findControl<QCheckBox>(form, "chkShuffle")->isChecked());
    EXPECT_FALSE(findControl<QCheckBox>(form, "chkRandom")->isChecked());
    EXPECT_FALSE(findControl<QCheckBox>(form, "chkContinuous")->isChecked());
    EXPECT_TRUE(session->playModes().checked(PlayMode::Shuffle));
}

TEST_F(MainWindowTest, SourceSwitchShowsOneSideAndGreysTheFileOnlyCommands)
{
    MainWindow& form = start();
    findControl<QToolButton>(form, "btnFileListRollUp")->click();
    EXPECT_TRUE(findControl<QListView>(form, "FileListBox1")->isHidden());

    findControl<QTabBar>(form, "TabSet1")->setCurrentIndex(1);
    EXPECT_TRUE(findControl<QListView>(form, "FileListBox1")->isHidden());
    EXPECT_TRUE(findControl<QListView>(form, "DirectoryListBox1")->isHidden());
    EXPECT_FALSE(findControl<QListWidget>(form, "cdlistbox")->isHidden());
    EXPECT_FALSE(findControl<QLineEdit>(form, "cdtitle")->isHidden());
    EXPECT_FALSE(findControl<QFrame>(form, "cdinfo")->isHidden());
    for (Command command : {Command::CopyFile, Command::CopyAllFiles, Command::DeleteFile, Command::DeleteAllFiles,
                            Command::MoveFile, Command::MoveAllFiles})
        for (QObject* control : dispatcher.offerersOf(command))
            EXPECT_FALSE(control->property("enabled").toBool()) << CommandNumber(command);
    for (Command command : {Command::FileInfo, Command::RenameFile, Command::RenameAllFiles})
        for (QObject* control : dispatcher.offerersOf(command))
            EXPECT_TRUE(control->property("enabled").toBool()) << CommandNumber(command);

    EXPECT_TRUE(form.requireFilesMode());
    EXPECT_EQ(findControl<QLabel>(form, "infobar")->text(),
              "To do that, you need to be in multimedia files mode (not in CD track mode).");

    findControl<QTabBar>(form, "TabSet1")->setCurrentIndex(0);
    EXPECT_FALSE(form.requireFilesMode());
    EXPECT_FALSE(findControl<QListView>(form, "FileListBox1")->isHidden())
        << "switching to Files shows the rolled-up file list";
    EXPECT_TRUE(findControl<QListWidget>(form, "cdlistbox")->isHidden());
    for (QObject* control : dispatcher.offerersOf(Command::DeleteFile))
        EXPECT_TRUE(control->property("enabled").toBool());
}

TEST_F(MainWindowTest, DirectoryRollUpHidesOnlyTheUpperControlsOfTheCurrentTab)
{
    MainWindow& form = start();
    findControl<QTabBar>(form, "TabSet1")->setCurrentIndex(1);
    findControl<QToolButton>(form, "btnDirectoryListRollUp")->click();
    EXPECT_TRUE(findControl<QTabBar>(form, "TabSet1")->isHidden());
    EXPECT_TRUE(findControl<QLineEdit>(form, "cdtitle")->isHidden());
    EXPECT_TRUE(findControl<QFrame>(form, "cdinfo")->isHidden());
    EXPECT_FALSE(findControl<QListWidget>(form, "cdlistbox")->isHidden());
    EXPECT_TRUE(findControl<QListView>(form, "DirectoryListBox1")->isHidden()) << "stays as the CD tab left it";

    // Another part switching the tab while the roll-up is up shows that tab's upper controls.
    findControl<QTabBar>(form, "TabSet1")->setCurrentIndex(0);
    EXPECT_TRUE(findControl<QTabBar>(form, "TabSet1")->isHidden());
    EXPECT_FALSE(findControl<QComboBox>(form, "DriveComboBox1")->isHidden());
    EXPECT_FALSE(findControl<QListView>(form, "DirectoryListBox1")->isHidden());

    findControl<QToolButton>(form, "btnDirectoryListRollUp")->click();  // TabSet1 was hidden: everything comes back
    EXPECT_FALSE(findControl<QTabBar>(form, "TabSet1")->isHidden());
    EXPECT_FALSE(findControl<QListView>(form, "DirectoryListBox1")->isHidden());
}

TEST_F(MainWindowTest, QueueRollUpAndPathToggleKeepOneQueueList)
{
    MainWindow& form = start();
    session->queueEditing().AddFiles({"/music/a.mid", "/music/b.wav"}, false);
    for (auto [name, row] : {std::pair{"queue", 0}, std::pair{"queuefilename", 1}}) {
        QListView* list = findControl<QListView>(form, name);
        list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::Select);
    }
    EXPECT_TRUE(session->playQueue().isSelected(QueueList::Path, 0));
    EXPECT_TRUE(session->playQueue().isSelected(QueueList::Name, 1));

    findControl<QTabBar>(form, "TabSet2")->setCurrentIndex(1);
    EXPECT_FALSE(findControl<QListView>(form, "queue")->selectionModel()->hasSelection());
    EXPECT_FALSE(findControl<QListView>(form, "queuefilename")->selectionModel()->hasSelection());
    EXPECT_FALSE(session->playQueue().hasSelection(QueueList::Path));
    EXPECT_FALSE(session->playQueue().hasSelection(QueueList::Name));
    EXPECT_EQ(findControl<QListView>(form, "queuefilename")->model()->index(1, 0).data().toString(), "b.wav");
    EXPECT_FALSE(findControl<QListView>(form, "queuefilename")->isHidden());
    EXPECT_TRUE(findControl<QListView>(form, "queue")->isHidden());

    findControl<QToolButton>(form, "btnQueueRollUp")->click();
    EXPECT_TRUE(findControl<QTabBar>(form, "TabSet2")->isHidden());
    EXPECT_TRUE(findControl<QListView>(form, "queuefilename")->isHidden());
    EXPECT_TRUE(findControl<QListView>(form, "queue")->isHidden());
    findControl<QToolButton>(form, "btnQueueRollUp")->click();
    EXPECT_FALSE(findControl<QListView>(form, "queuefilename")->isHidden());
    EXPECT_TRUE(findControl<QListView>(form, "queue")->isHidden());

    findControl<QTabBar>(form, "TabSet2")->setCurrentIndex(0);
    EXPECT_FALSE(findControl<QListView>(form, "queue")->isHidden());
    EXPECT_TRUE(findControl<QListView>(form, "queuefilename")->isHidden());
}

TEST_F(MainWindowTest, FilterAndPlayModeRollUpsToggleTheirPanels)
{
    MainWindow& form = start();
    findControl<QToolButton>(form, "btnFilterRollUp")->click();
    findControl<QToolButton>(form, "btnPlayModeRollUp")->click();
    EXPECT_TRUE(findControl<QFrame>(form, "filterpanel")->isHidden());
    EXPECT_TRUE(findControl<QFrame>(form, "playmodepanel")->isHidden());
    findControl<QToolButton>(form, "btnFilterRollUp")->click();
    EXPECT_FALSE(findControl<QFrame>(form, "filterpanel")->isHidden());
}

TEST_F(MainWindowTest, FilterBoxesGiveTheFileListItsMask)
{
    MainWindow& form = start();
    EXPECT_EQ(form.fileMask(),
              "@@@@@._+_;*.mid;*.wav;*.avi;*.txt;*.bmp;*.ico;*.wmf;*.jpg;*.png;*.pcx;*.rtf"
              ";*.mp3;*.ogg;*.oga;*.opus;*.flac;*.m4a;*.aac;*.wma"
              ";*.mp4;*.m4v;*.mkv;*.webm;*.mov;*.mpg;*.mpeg;*.wmv;*.ogv");
    for (QCheckBox* box : findControl<QFrame>(form, "filterpanel")->findChildren<QCheckBox*>())
        box->click();
    EXPECT_EQ(form.fileMask(), "@@@@@._+_");
}

TEST_F(MainWindowTest, EnterAndDoubleClickAddOnceDeleteRemovesInTheQueueOnly)
{
    MainWindow& form = start();
    recordCommands();
    qt_test::pressKey(findControl<QListView>(form, "FileListBox1"), Qt::Key_Return);
    qt_test::pressKey(findControl<QListWidget>(form, "cdlistbox"), Qt::Key_Enter);
    qt_test::pressKey(findControl<QListView>(form, "FileListBox1"), Qt::Key_Delete);
    qt_test::pressKey(findControl<QListView>(form, "queue"), Qt::Key_Delete);
    qt_test::pressKey(findControl<QListView>(form, "queuefilename"), Qt::Key_Delete);
    qt_test::pressKey(findControl<QPushButton>(form, "btnRemoveAll"),
                      Qt::Key_Return);  // a focused button is clicked instead
    std::vector<Command> commands;
    for (const auto& [command, sender] : raised)
        commands.push_back(command);
    EXPECT_EQ(commands, (std::vector<Command>{Command::AddToQueue, Command::AddToQueue, Command::RemoveFromQueue,
                                              Command::RemoveFromQueue, Command::RemoveAllFromQueue}));

    raised.clear();
    findControl<QPlainTextEdit>(form, "cdmisc")->setEnabled(true);  // as once a disc is read
    findControl<QPlainTextEdit>(form, "cdmisc")->clear();
    qt_test::pressKey(findControl<QPlainTextEdit>(form, "cdmisc"), Qt::Key_Return);
    EXPECT_TRUE(raised.empty()) << "Enter in the CD notes starts a new line";
    EXPECT_EQ(findControl<QPlainTextEdit>(form, "cdmisc")->toPlainText(), "\n");
}

TEST_F(MainWindowTest, SettingsAreReadAtStartAndApplied)
{
    home.write("sr3.ini",
               "[Display]\r\noptDisplayTime=0\r\noptDisplayQueueHands=0\r\noptShowAnimatedIcon=0\r\n"
               "[General]\r\noptDragDrop=0\r\n[Toolbar]\r\nT2=0x14\r\n");
    MainWindow& form = start();
    EXPECT_TRUE(findControl<QFrame>(form, "timedisppanel")->isHidden());
    EXPECT_TRUE(findControl<QToolButton>(form, "btnUp")->isHidden());
    EXPECT_TRUE(findControl<QToolButton>(form, "btnDown")->isHidden());
    EXPECT_TRUE(findControl<QFrame>(form, "animatediconpanel")->isHidden());
    EXPECT_FALSE(form.acceptDrops());
    EXPECT_EQ(toolbar->slotCommands()[1], Command::Play);
}

TEST_F(MainWindowTest, MissingIconStripIsReportedAndStartUpGoesOn)
{
    placeProgram(home.file("sonorail"));  // the program's own directory holds no strip either
    MainWindow& form = start({"/b"});
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].caption, "Sonorail V3.0-Win95 Beta2");
    EXPECT_EQ(dialogs.shown[0].text, "Cannot open file " + home.file("icons.bmp") + ".");
    EXPECT_TRUE(findControl<QCheckBox>(form, "chkBackwards")->isChecked()) << "the rest of start-up ran";
}

TEST_F(MainWindowTest, ANamedPipeInTheIconStripsPlaceIsReportedWithoutWaitingForAWriter)
{
    placeProgram(home.file("sonorail"));
    ASSERT_EQ(::mkfifo(home.file("icons.bmp").c_str(), 0600), 0);
    const HangWatchdog watchdog("start-up with icons.bmp a named pipe");
    start();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Cannot open file " + home.file("icons.bmp") + ".");
}

// The player tells of an item's end on its own thread; the monitor's tick then runs on the
// window's thread at once, not at the next 200 ms beat. A window that is gone is not told.
TEST_F(MainWindowTest, AnEndThePlayerReportsStartsTheNextItemWithoutWaitingForTheTick)
{
    MainWindow& form = start();
    findControl<QTimer>(form, "Timer1")->stop();  // only the report may advance
    backend->addMedia("/music/a.wav", {1000});
    backend->addMedia("/music/b.wav", {1000});
    session->queueEditing().AddFiles({"/music/a.wav", "/music/b.wav"}, false);
    dispatcher.ExecuteCommand(Command::Play);
    ASSERT_EQ(session->playback().currentItem, "/music/a.wav");

    backend->advance(1000);
    backend->reportEnd();
    EXPECT_EQ(session->playback().currentItem, "/music/a.wav") << "queued, not run on the player's thread";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(session->playback().currentItem, "/music/b.wav");
    EXPECT_EQ(session->playQueue().count(), 0);

    mainWindow.reset();
    backend->reportEnd();
    QCoreApplication::sendPostedEvents();
}

TEST_F(MainWindowTest, ClosingAsksWhilePlayingAndNoKeepsTheWindow)
{
    MainWindow& form = start();
    session->queueEditing().AddFiles({"/music/a.mid"}, false);
    session->playback().playState = PlayState::Playing;
    dialogs.answers = {DialogAnswer::No};
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(session->playback().playState, PlayState::Playing);
    ASSERT_EQ(dialogs.shown.size(), 1u);

    EXPECT_FALSE(std::filesystem::exists(home.file("default.alb")));
    dialogs.answers = {DialogAnswer::Yes};
    EXPECT_TRUE(form.close());
    EXPECT_EQ(session->playback().playState, PlayState::Stopped);
    EXPECT_TRUE(std::filesystem::exists(home.file("default.alb"))) << "the default album was saved";
}

TEST_F(MainWindowTest, ADefaultAlbumThatCannotBeWrittenKeepsTheProgramOpen)
{
    MainWindow& form = start();
    session->queueEditing().AddFiles({"/music/a.mid"}, false);
    std::filesystem::create_directory(home.file("default.alb"));  // where the album would go
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Cannot create file " + home.file("default.alb") + ".");

    dialogs.shown.clear();
    dispatcher.ExecuteCommand(Command::Exit);  // Exit goes the same way
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

// Before a log-out (or a checkpoint) only the exit question is asked: a log-out that
// another program cancels leaves playback, drops and the next exit as they were.
TEST_F(MainWindowTest, ALogOutThatIsCancelledLeavesEverythingAsItWas)
{
    MainWindow& form = start();
    session->queueEditing().AddFiles({"/music/a.mid"}, false);
    session->playback().playState = PlayState::Playing;
    dialogs.answers = {DialogAnswer::No};
    EXPECT_FALSE(form.sessionEnding(true)) << "No refuses the log-out";
    dialogs.answers = {DialogAnswer::Yes};
    EXPECT_TRUE(form.sessionEnding(true));
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(session->playback().playState, PlayState::Playing);
    EXPECT_TRUE(form.acceptDrops());
    EXPECT_FALSE(std::filesystem::exists(home.file("default.alb")));

    dialogs.answers = {DialogAnswer::No};
    EXPECT_FALSE(form.close()) << "the program still ends only through the exit check";
    EXPECT_EQ(dialogs.shown.size(), 3u);
}

// The session manager ends the session by asking the application to quit: the quiet exit
// runs before the windows are asked to close, so nothing is asked and the album is saved.
TEST_F(MainWindowTest, TheApplicationAskedToQuitLeavesQuietly)
{
    MainWindow& form = start();
    session->queueEditing().AddFiles({"/music/a.mid"}, false);
    session->playback().playState = PlayState::Playing;
    struct SwallowQuit final : QObject {  // this test's application must go on
        bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Quit; }
    } swallow;
    qApp->installEventFilter(&swallow);
    TerminationWatcher watcher([&form] { form.quietExit(); });
    QEvent quit(QEvent::Quit);
    QApplication::sendEvent(qApp, &quit);
    qApp->removeEventFilter(&swallow);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(session->playback().playState, PlayState::Stopped);
    EXPECT_TRUE(std::filesystem::exists(home.file("default.alb")));
    EXPECT_FALSE(form.acceptDrops());
    EXPECT_TRUE(form.close()) << "the exit check is done";
}

// The intro's seconds are the seconds box's text as typed: "5 " is no integer, and the
// message shows the text as it stands.
TEST_F(MainWindowTest, IntroSecondsAreTheTextAsTyped)
{
    MainWindow& form = start();
    backend->addMedia("/music/a.wav", {5000});
    session->queueEditing().AddFiles({"/music/a.wav"}, false);
    findControl<QCheckBox>(form, "chkIntro")->click();
    findControl<QLineEdit>(form, "introsec")->setText("5 ");
    dispatcher.ExecuteCommand(Command::Play);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "'5 ' is not a valid integer value.");
}

// A Next while the intro counts down starts the count again from the seconds box, but the
// countdown's timer keeps its running second (a timer enabled again is not restarted).
TEST_F(MainWindowTest, TheIntroCountdownKeepsItsRunningSecond)
{
    MainWindow& form = start();
    for (const char* file : {"/music/a.wav", "/music/b.wav"})
        backend->addMedia(file, {5000});
    session->queueEditing().AddFiles({"/music/a.wav", "/music/b.wav"}, false);
    findControl<QCheckBox>(form, "chkIntro")->click();
    dispatcher.ExecuteCommand(Command::Play);
    ASSERT_TRUE(findControl<QTimer>(form, "introcountdown")->isActive());
    ASSERT_TRUE(qt_test::waitUntil([&] { return findControl<QTimer>(form, "introcountdown")->remainingTime() < 900; }));
    session->playback().IntroRemaining = 2;
    const int leftOfTheSecond = findControl<QTimer>(form, "introcountdown")->remainingTime();
    dispatcher.ExecuteCommand(Command::Next);  // no event is delivered meanwhile
    EXPECT_EQ(session->playback().IntroRemaining, 5);
    EXPECT_TRUE(findControl<QTimer>(form, "introcountdown")->isActive());
    EXPECT_LE(findControl<QTimer>(form, "introcountdown")->remainingTime(), leftOfTheSecond)
        << "the countdown's second started over";
}

// The file list's first mask is "*.mid" until start-up applies the type filters, and the
// start directory is read once for its subdirectories and once for its files, not again
// for the filters.
TEST_F(MainWindowTest, StartUpReadsTheStartDirectoryOnceForItsFiles)
{
    TempDir startDirectory;
    startDirectory.write("a.mid", "");
    startDirectory.write("b.wav", "");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(startDirectory.path());
    FileAccessCounter reads(startDirectory.path());
    MainWindow& form = start();
    const int opened = reads.take().opened;
    std::filesystem::current_path(before);
    EXPECT_EQ(opened, 2) << "read for the directory list and the file list, and no more";
    EXPECT_EQ(form.fileBrowser().allNames(), (std::vector<std::string>{"a.mid", "b.wav"}));
}

// A video is drawn at its own size, centred on the whole main window (frame included), in
// front of the controls; one larger than the window starts left of and above it, the
// halves rounded toward zero.
TEST_F(MainWindowTest, AVideoIsCentredOnTheWholeWindow)
{
    MainWindow& form = start();
    const QRect frame = form.frameGeometry();
    ASSERT_EQ(frame.width(), 492) << "the offscreen platform's frame is 2 pixels wide";
    backend->addMedia("/v/small.avi", {5000, true, false, 100, 50});
    backend->addMedia("/v/large.avi", {5000, true, false, 1001, frame.height() + 1});
    session->queueEditing().AddFiles({"/v/small.avi", "/v/large.avi"}, false);
    const auto* surface =
        findControl<QLabel>(form, "PMultiImage1")->findChild<QWidget*>(QStringLiteral("videoSurface"));
    ASSERT_TRUE(surface);

    dispatcher.ExecuteCommand(Command::Play);
    const DisplayRect small = backend->displayRect();
    EXPECT_EQ(small.left, 196);
    EXPECT_EQ(small.right, 0);
    EXPECT_EQ(small.bottom, 0);
    EXPECT_EQ(surface->geometry(), QRect(196, small.top, 100, 50));
    EXPECT_EQ(form.centralWidget()->children().constLast(), findControl<QLabel>(form, "PMultiImage1"))
        << "the picture area is in front";

    dispatcher.ExecuteCommand(Command::Next);
    EXPECT_EQ(backend->displayRect(), (DisplayRect{-254, 0, 0, 0}));
    EXPECT_EQ(surface->geometry(), QRect(-254, 0, 1001, frame.height() + 1));
}

// A film larger than the picture area is scaled down into it with its aspect kept, centred on
// the area; while music plays its cover fills the area behind the controls; music rows tell
// their tags in a tool tip.
TEST_F(MainWindowTest, FilmsFitTheAreaAndMusicShowsItsCoverAndTags)
{
    MainWindow& form = start();
    MusicTagCache::instance().setCoverFolder(home.file("covers/"));
    const std::string music = std::string(SONORAIL_TEST_DATA) + "/music/one.mp3";
    backend->addMedia("/v/film.mkv", {5000, true, false, 1920, 1080});
    backend->addMedia(music, {5000});
    session->queueEditing().AddFiles({"/v/film.mkv", music}, false);
    const auto* surface =
        findControl<QLabel>(form, "PMultiImage1")->findChild<QWidget*>(QStringLiteral("videoSurface"));
    ASSERT_TRUE(surface);

    dispatcher.ExecuteCommand(Command::Play);
    const QSize area = form.centralWidget()->size();
    EXPECT_EQ(surface->width(), area.width());
    EXPECT_NEAR(surface->height(), area.width() * 1080 / 1920, 1);
    EXPECT_EQ(surface->y(), (area.height() - surface->height()) / 2);

    EXPECT_EQ(findControl<QListView>(form, "queue")->model()->index(0, 0).data(Qt::ToolTipRole).toString(),
              "Sonorail Test Band - One (Test Pressing, 0:01)");
    dispatcher.ExecuteCommand(Command::Next);
    EXPECT_TRUE(qt_test::waitUntil([&] { return !findControl<QLabel>(form, "PMultiImage1")->pixmap().isNull(); }))
        << "the cover shows";
    EXPECT_LE(findControl<QLabel>(form, "PMultiImage1")->pixmap().height(),
              findControl<QLabel>(form, "PMultiImage1")->height());
    dispatcher.ExecuteCommand(Command::Stop);
    EXPECT_TRUE(findControl<QLabel>(form, "PMultiImage1")->pixmap().isNull());
}

}  // namespace
