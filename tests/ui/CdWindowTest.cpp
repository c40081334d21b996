// The CD panel of the main window on a scripted drive: the tab switch's CD side, the two
// states of the panel, leaving a field storing the disc (and a clear not storing it), a store
// that fails, "Play the CD" and "Eject CD" from the window's commands, and the desktop's
// media controls naming a CD track.
#include <QApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/mpris/MprisService.h"
#include "core/cd/CdDatabase.h"
#include "support/MainWindowFixture.h"

namespace {

// Twelve tracks, 2,723,000 ms in all.
const std::vector<long> kTwelveTracks = {226000, 226000, 226000, 226000, 226000, 226000,
                                         226000, 226000, 226000, 226000, 226000, 237000};

class CdWindowTest : public MainWindowFixture {
protected:
    MainWindow& startWithDisc()
    {
        MainWindow& form = start();
        backend->insertDisc(kTwelveTracks);
        return form;
    }

    void readDisc() { dispatcher.ExecuteCommand(Command::UpdateCdInfo); }

    // The window shown with the disc read and the CD fields' tab in front.
    MainWindow& showReadDisc()
    {
        MainWindow& form = startWithDisc();
        form.show();
        readDisc();
        findControl<QTabBar>(form, "TabSet1")->setCurrentIndex(1);
        return form;
    }

    // The window active and the field given the input focus, as a click would.
    void focus(MainWindow& form, QWidget* field)
    {
        form.activateWindow();
        ASSERT_TRUE(qt_test::waitUntil([&] { return form.isActiveWindow(); }));
        field->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(field->hasFocus());
    }

    std::vector<QString> rows(const MainWindow& form) const
    {
        std::vector<QString> texts;
        for (int row = 0; row < findControl<QListWidget>(form, "cdlistbox")->count(); ++row)
            texts.push_back(findControl<QListWidget>(form, "cdlistbox")->item(row)->text());
        return texts;
    }

    std::optional<CdRecord> stored() const { return CdDatabase(home.file("cddat.dat")).find(2723012).record; }
};

// ---- The tab and the two states ----

TEST_F(CdWindowTest, TheCdTabShowsThePanelAndGreysTheFileCommands)
{
    MainWindow& form = start();
    const std::vector<Command> fileCommands = {Command::CopyFile,       Command::CopyAllFiles, Command::DeleteFile,
                                               Command::DeleteAllFiles, Command::MoveFile,     Command::MoveAllFiles};
    findControl<QTabBar>(form, "TabSet1")->setCurrentIndex(1);
    EXPECT_TRUE(findControl<QListWidget>(form, "cdlistbox")->isVisible());
    EXPECT_TRUE(findControl<QLineEdit>(form, "cdtitle")->isVisible());
    EXPECT_TRUE(findControl<QFrame>(form, "cdinfo")->isVisible());
    EXPECT_FALSE(findControl<QListView>(form, "FileListBox1")->isVisible());
    EXPECT_FALSE(findControl<QListView>(form, "DirectoryListBox1")->isVisible());
    for (Command command : fileCommands)
        EXPECT_FALSE(dispatcher.isCommandEnabled(command)) << CommandNumber(command);
    EXPECT_TRUE(dispatcher.isCommandEnabled(Command::FileInfo));

    findControl<QTabBar>(form, "TabSet1")->setCurrentIndex(0);
    EXPECT_FALSE(findControl<QListWidget>(form, "cdlistbox")->isVisible());
    EXPECT_TRUE(findControl<QListView>(form, "FileListBox1")->isVisible());
    for (Command command : fileCommands)
        EXPECT_TRUE(dispatcher.isCommandEnabled(command)) << CommandNumber(command);
}

TEST_F(CdWindowTest, ThePanelStartsClearedAndShowsADiscOnceRead)
{
    MainWindow& form = startWithDisc();
    EXPECT_EQ(findControl<QListWidget>(form, "cdlistbox")->count(), 0);
    EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->text(), "Enter CD Title Here");
    EXPECT_EQ(findControl<QLineEdit>(form, "cdauthor")->text(), "Enter CD Author Here.");
    EXPECT_EQ(findControl<QLineEdit>(form, "cdcategory")->text(), "Enter CD Category Here");
    EXPECT_EQ(findControl<QPlainTextEdit>(form, "cdmisc")->toPlainText(),
              "You can enter other cd information in this area.");
    for (QWidget* field : {static_cast<QWidget*>(findControl<QLineEdit>(form, "cdtitle")),
                           static_cast<QWidget*>(findControl<QLineEdit>(form, "cdauthor")),
                           static_cast<QWidget*>(findControl<QLineEdit>(form, "cdcategory")),
                           static_cast<QWidget*>(findControl<QPlainTextEdit>(form, "cdmisc"))})
        EXPECT_FALSE(field->isEnabled()) << field->objectName().toStdString();
    EXPECT_FALSE(dispatcher.isCommandEnabled(Command::EjectCd));
    for (const char* label : {"lblcdauthor", "lblcdcategory", "lblcdmisc"})
        EXPECT_EQ(findControl<QFrame>(form, "cdinfo")->findChild<QLabel*>(label)->parent(),
                  findControl<QFrame>(form, "cdinfo"));

    readDisc();
    ASSERT_EQ(findControl<QListWidget>(form, "cdlistbox")->count(), 12);
    EXPECT_EQ(findControl<QListWidget>(form, "cdlistbox")->item(0)->text(), "01:Name of Track.cdt");
    EXPECT_EQ(findControl<QListWidget>(form, "cdlistbox")->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(findControl<QLineEdit>(form, "cdtitle")->isEnabled());
    EXPECT_TRUE(findControl<QPlainTextEdit>(form, "cdmisc")->isEnabled());
    EXPECT_TRUE(dispatcher.isCommandEnabled(Command::EjectCd));
    EXPECT_EQ(findControl<QTabBar>(form, "TabSet1")->currentIndex(), 0) << "the user sees the disc on the CD tab";
}

TEST_F(CdWindowTest, AtStartTheDiscIsReadWhenTheSettingsSaySo)
{
    home.write("sr3.ini", "[CDAudio]\r\noptautoseekcdstart=1\r\n");
    auto scripted = std::make_unique<ScriptedBackend>();
    scripted->insertDisc(kTwelveTracks);
    backend = scripted.get();
    session = std::make_unique<Jukebox>(std::move(scripted), dispatcher, std::vector<std::string>{});
    toolbar = std::make_unique<Toolbar>(*session, dispatcher, [this](Toolbar& bar) -> MainWindow& {
        mainWindow = std::make_unique<MainWindow>(*session, dispatcher, bar);
        return *mainWindow;
    });
    EXPECT_EQ(findControl<QListWidget>(*mainWindow, "cdlistbox")->count(), 12);
    EXPECT_TRUE(dispatcher.isCommandEnabled(Command::EjectCd));
}

// ---- Leaving a field stores the disc ----

TEST_F(CdWindowTest, LeavingAFieldStoresTheDiscEvenUnchanged)
{
    MainWindow& form = showReadDisc();
    focus(form, findControl<QLineEdit>(form, "cdtitle"));
    findControl<QLineEdit>(form, "cdauthor")->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(home.read("cddat.dat").size(), 6080u) << "the prompts are stored";
    EXPECT_EQ(stored()->title, "Enter CD Title Here");

    findControl<QLineEdit>(form, "cdauthor")->setText("The Quiet Ones");
    findControl<QPlainTextEdit>(form, "cdmisc")->setFocus(Qt::TabFocusReason);
    findControl<QPlainTextEdit>(form, "cdmisc")->setPlainText("line one\nline two");
    findControl<QListWidget>(form, "cdlistbox")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(home.read("cddat.dat").size(), 6080u) << "the same record rewritten";
    EXPECT_EQ(stored()->author, "The Quiet Ones");
    EXPECT_EQ(stored()->misc, "line one\r\nline two");

    // Another window taking the focus (a message box, another program) is no leaving.
    findControl<QLineEdit>(form, "cdtitle")->setFocus(Qt::TabFocusReason);
    findControl<QLineEdit>(form, "cdtitle")->setText("not left yet");
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(findControl<QLineEdit>(form, "cdtitle"), &away);
    EXPECT_EQ(stored()->title, "Enter CD Title Here");
}

// A clear disables the fields without storing them; what was typed into the focused field
// is stored just before.
TEST_F(CdWindowTest, TypedTextSurvivesAReadingButAClearStoresNothingOfItsOwn)
{
    MainWindow& form = showReadDisc();
    focus(form, findControl<QLineEdit>(form, "cdtitle"));
    findControl<QLineEdit>(form, "cdtitle")->setText("Typed");
    readDisc();
    EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->text(), "Typed");
    ASSERT_TRUE(stored());
    EXPECT_EQ(stored()->title, "Typed");

    std::filesystem::remove(home.file("cddat.dat"));
    focus(form, findControl<QLineEdit>(form, "cdauthor"));
    session->cd().ClearCDInfo();
    EXPECT_FALSE(findControl<QLineEdit>(form, "cdauthor")->hasFocus());
    EXPECT_FALSE(std::filesystem::exists(home.file("cddat.dat"))) << "losing the focus to the clear is no leaving";
}

TEST_F(CdWindowTest, AStoreThatFailsShowsTheErrorAndKeepsThePanel)
{
    MainWindow& form = showReadDisc();
    std::filesystem::create_directory(home.file("cddat.dat"));
    focus(form, findControl<QLineEdit>(form, "cdtitle"));
    findControl<QLineEdit>(form, "cdtitle")->setText("Kept");
    findControl<QLineEdit>(form, "cdauthor")->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, "Cannot open file " + home.file("cddat.dat") + ".");
    EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->text(), "Kept");
    EXPECT_EQ(findControl<QListWidget>(form, "cdlistbox")->count(), 12);
    EXPECT_TRUE(findControl<QLineEdit>(form, "cdtitle")->isEnabled());
}

// Ending the program with the focus still in a field leaves it: the typed text is stored,
// by Exit and by the quiet exit alike; a store that fails keeps the program open.
TEST_F(CdWindowTest, EndingTheProgramInAFieldStoresWhatWasTyped)
{
    MainWindow& form = showReadDisc();
    focus(form, findControl<QLineEdit>(form, "cdtitle"));
    findControl<QLineEdit>(form, "cdtitle")->setText("Typed Before Exit");
    std::filesystem::create_directory(home.file("cddat.dat"));
    dispatcher.ExecuteCommand(Command::Exit);
    EXPECT_TRUE(form.isVisible()) << "the typed title could not be stored";
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Cannot open file " + home.file("cddat.dat") + ".");

    std::filesystem::remove(home.file("cddat.dat"));
    ASSERT_TRUE(findControl<QLineEdit>(form, "cdtitle")->hasFocus());
    dispatcher.ExecuteCommand(Command::Exit);
    ASSERT_TRUE(stored().has_value());
    EXPECT_EQ(stored()->title, "Typed Before Exit");
}

TEST_F(CdWindowTest, TheQuietExitStoresTheFieldWithTheFocus)
{
    MainWindow& form = showReadDisc();
    focus(form, findControl<QPlainTextEdit>(form, "cdmisc"));
    findControl<QPlainTextEdit>(form, "cdmisc")->setPlainText("bought in Leeds");
    form.quietExit();
    ASSERT_TRUE(stored().has_value());
    EXPECT_EQ(stored()->misc, "bought in Leeds");
    EXPECT_TRUE(dialogs.shown.empty());
}

// ---- Play the CD, Eject CD ----

TEST_F(CdWindowTest, PlayTheCdAnsweredNoLeavesQueueAndPanelAsTheyWere)
{
    MainWindow& form = startWithDisc();
    session->queueEditing().AddFiles({"/music/a.mid", "/music/b.wav", "/music/c.avi"}, false);
    dialogs.answers = {DialogAnswer::No};
    dispatcher.ExecuteCommand(Command::PlayCd);
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{"/music/a.mid", "/music/b.wav", "/music/c.avi"}));
    EXPECT_EQ(findControl<QListWidget>(form, "cdlistbox")->count(), 0);
    EXPECT_EQ(findControl<QTabBar>(form, "TabSet1")->currentIndex(), 0);
    EXPECT_EQ(session->playback().playState, PlayState::Stopped);
}

TEST_F(CdWindowTest, PlayTheCdQueuesTheWholeDiscAndPlaysTheFirstTrack)
{
    MainWindow& form = startWithDisc();
    session->queueEditing().AddFiles({"/music/a.mid"}, false);
    dialogs.answers = {DialogAnswer::Yes};
    dispatcher.ExecuteCommand(Command::PlayCd);
    EXPECT_EQ(findControl<QTabBar>(form, "TabSet1")->currentIndex(), 1);
    EXPECT_EQ(findControl<QListWidget>(form, "cdlistbox")->count(), 12);
    EXPECT_EQ(session->playback().playState, PlayState::Playing);
    EXPECT_EQ(session->playback().activeMedia, ActiveMedia::CdTrack);
    EXPECT_EQ(session->playback().currentItem, "01:Name of Track.cdt");
    const std::vector<std::string> rest = queueTexts();
    ASSERT_EQ(rest.size(), 11u);
    EXPECT_EQ(rest.front(), "02:Name of Track.cdt");
    EXPECT_EQ(rest.back(), "12:Name of Track.cdt");
}

TEST_F(CdWindowTest, EjectClearsThePanelAndTakesOnlyLowerCaseCdtRowsOut)
{
    MainWindow& form = startWithDisc();
    readDisc();
    findControl<QTabBar>(form, "TabSet1")->setCurrentIndex(1);
    findControl<QListWidget>(form, "cdlistbox")->selectAll();
    dispatcher.ExecuteCommand(Command::AddToQueue);
    session->playQueue().insert(1, {{"/music/x.wav", "x.wav"}, {"05:Saved.CDT", "Saved.CDT"}});
    ASSERT_EQ(session->playQueue().count(), 14);

    dispatcher.ExecuteCommand(Command::EjectCd);
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{"/music/x.wav", "05:Saved.CDT"}));
    EXPECT_EQ(findControl<QListWidget>(form, "cdlistbox")->count(), 0);
    EXPECT_EQ(findControl<QTabBar>(form, "TabSet1")->currentIndex(), 0);
    EXPECT_FALSE(dispatcher.isCommandEnabled(Command::EjectCd));
    EXPECT_EQ(backend->requests.back(), "close");
}

// ---- The fields hold what the record keeps ----

// Characters typed on the keyboard into a field.
void type(QWidget* field, const QString& text)
{
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(field, &press);
    }
}

// Accented names keep as many characters as the record has bytes for them (Windows-1252), and
// no field takes more than its record keeps: what shows is what is stored.
TEST_F(CdWindowTest, FieldsTakeWhatTheirRecordKeepsAndShowWhatIsStored)
{
    MainWindow& form = showReadDisc();
    focus(form, findControl<QLineEdit>(form, "cdtitle"));
    const QString accented(150, QChar(0xE9));  // "é"
    findControl<QLineEdit>(form, "cdtitle")->clear();
    type(findControl<QLineEdit>(form, "cdtitle"), accented);
    EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->text(), accented);
    findControl<QLineEdit>(form, "cdtitle")->insert(QString(200, 'x'));  // a paste keeps what fits
    type(findControl<QLineEdit>(form, "cdtitle"), "y");                  // typing past the field is refused
    EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->text(), accented + QString(105, 'x'));

    // A letter Windows-1252 has not: the text is stored in UTF-8, two bytes a Greek letter.
    findControl<QLineEdit>(form, "cdauthor")->setText(QString(127, QChar(0x3B2)));
    findControl<QLineEdit>(form, "cdauthor")->end(false);
    type(findControl<QLineEdit>(form, "cdauthor"), QString(QChar(0x3B2)));
    EXPECT_EQ(findControl<QLineEdit>(form, "cdauthor")->text(), QString(127, QChar(0x3B2)));

    // The notes count each line end as the two bytes it is stored as.
    findControl<QPlainTextEdit>(form, "cdmisc")->setFocus(Qt::TabFocusReason);
    findControl<QPlainTextEdit>(form, "cdmisc")->clear();
    findControl<QPlainTextEdit>(form, "cdmisc")->insertPlainText(QString(100, 'a') + '\n' + QString(200, 'b'));
    EXPECT_EQ(findControl<QPlainTextEdit>(form, "cdmisc")->toPlainText(), QString(100, 'a') + '\n' + QString(153, 'b'));

    findControl<QListWidget>(form, "cdlistbox")->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(stored());
    EXPECT_EQ(QString::fromStdString(stored()->title), findControl<QLineEdit>(form, "cdtitle")->text());
    EXPECT_EQ(QString::fromStdString(stored()->author), findControl<QLineEdit>(form, "cdauthor")->text());
    EXPECT_EQ(stored()->misc, std::string(100, 'a') + "\r\n" + std::string(153, 'b'));
    readDisc();
    EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->text(), accented + QString(105, 'x'));
}

// ---- Desktop media controls ----

TEST_F(CdWindowTest, APlayingCdTrackIsNamedForTheDesktop)
{
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no session bus";
    MainWindow& form = startWithDisc();
    MprisService service(*session, dispatcher, [] {});
    ASSERT_TRUE(service.registerOnSessionBus(
        QStringLiteral("org.mpris.MediaPlayer2.sonorail.cdtest%1").arg(QCoreApplication::applicationPid())));
    readDisc();
    findControl<QLineEdit>(form, "cdtitle")->setText("Night Songs");
    findControl<QLineEdit>(form, "cdauthor")->setText("The Quiet Ones");
    findControl<QListWidget>(form, "cdlistbox")->item(1)->setText("02:Dusk: Part 2.cdt");
    session->cd().StoreCDInfo();
    findControl<QTabBar>(form, "TabSet1")->setCurrentIndex(1);
    findControl<QListWidget>(form, "cdlistbox")->item(1)->setSelected(true);
    dispatcher.ExecuteCommand(Command::AddToQueue);
    dispatcher.ExecuteCommand(Command::Play);

    QDBusInterface properties(service.busName(), kMprisObjectPath, "org.freedesktop.DBus.Properties",
                              QDBusConnection::sessionBus());
    QDBusReply<QDBusVariant> reply = properties.call("Get", "org.mpris.MediaPlayer2.Player", "Metadata");
    ASSERT_TRUE(reply.isValid()) << reply.error().message().toStdString();
    const QVariantMap metadata = qdbus_cast<QVariantMap>(reply.value().variant());
    EXPECT_EQ(metadata.value("xesam:title").toString(), "Dusk: Part 2");
    EXPECT_EQ(metadata.value("xesam:album").toString(), "Night Songs");
    EXPECT_EQ(metadata.value("xesam:artist").toStringList(), QStringList{"The Quiet Ones"});
    EXPECT_EQ(metadata.value("mpris:length").toLongLong(), 226000000);
}

}  // namespace
