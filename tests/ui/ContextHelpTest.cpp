// Hints on the status bar, F1, What's This on both windows, and help requests reaching the
// help book.
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolButton>
#include <gtest/gtest.h>

#include "core/files/FileTypeFilters.h"
#include "support/MainWindowFixture.h"
#include "ui/help/HelpBookEngine.h"
#include "ui/help/HelpEngine.h"

namespace {

using namespace std::chrono_literals;

// Records the help requests instead of showing help.
class RecordingHelp final : public HelpEngine {
public:
    RecordingHelp() { HelpEngine::install(this); }
    ~RecordingHelp() override { HelpEngine::install(nullptr); }

    struct Request {
        QWidget* owner;
        QString book;
        unsigned command;
        unsigned long data;
    };
    std::vector<Request> requests;

    void WinHelp(QWidget* owner, const QString& helpFile, unsigned command, unsigned long data) override
    {
        requests.push_back({owner, helpFile, command, data});
    }
};

class ContextHelpTest : public MainWindowFixture {
protected:
    static void pointAt(QWidget* control)
    {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(control->mapToGlobal(QPoint(1, 1))));
        QApplication::sendEvent(control, &enter);
    }
    static void leave(QWidget* control)
    {
        QEvent away(QEvent::Leave);
        QApplication::sendEvent(control, &away);
    }
    static void release(QWidget* control, Qt::MouseButton button)
    {
        const QPoint at(2, 2);
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(at), QPointF(control->mapToGlobal(at)), button, Qt::NoButton,
                       Qt::NoModifier);
        QApplication::sendEvent(control, &up);
    }
    // F1 where the keyboard focus is in the main window.
    void pressF1() { qt_test::pressKey(findControl<QPushButton>(*mainWindow, "btnAdd"), Qt::Key_F1); }

    QString statusText() const { return findControl<QLabel>(*mainWindow, "statusbar")->text(); }
    // The one help request made since the last look, as (command, data).
    std::pair<unsigned, unsigned long> takeRequest()
    {
        EXPECT_EQ(help.requests.size(), 1u);
        if (help.requests.empty())
            return {0, 0};
        const RecordingHelp::Request request = help.requests.back();
        help.requests.clear();
        return {request.command, request.data};
    }
    static std::pair<unsigned, unsigned long> context(unsigned long topic)
    {
        return {HelpCommand::HELP_CONTEXT, topic};
    }

    RecordingHelp help;
};

TEST_F(ContextHelpTest, QueueHintOnTheStatusBarWithAndWithoutTheReminderOrHintsAtAll)
{
    MainWindow& form = start();
    EXPECT_EQ(statusText(), "The Status Bar.");
    pointAt(findControl<QListView>(form, "queue"));
    EXPECT_EQ(statusText(), "The Multimedia Queue  {Press [F1] for Help}");
    pressF1();
    EXPECT_EQ(takeRequest(), context(44));
    EXPECT_EQ(help.requests.size(), 0u);

    session->settings().optShowF1OnTaskbar = false;
    pointAt(findControl<QComboBox>(form, "DriveComboBox1"));
    EXPECT_EQ(statusText(), "Choose the drive where you want to find multimedia files");

    session->settings().optShowHelponTaskbar = false;
    pointAt(findControl<QFrame>(form, "filterpanel"));
    EXPECT_EQ(statusText(), "Choose the drive where you want to find multimedia files")
        << "the status bar keeps its text";
    pressF1();
    EXPECT_EQ(takeRequest(), context(48)) << "F1 keeps opening the last topic";
}

TEST_F(ContextHelpTest, F1OpensTheMainTopicBeforeAnyHintAndNothingOverTheBackground)
{
    MainWindow& form = start();
    pressF1();
    EXPECT_EQ(takeRequest(), context(35));
    EXPECT_EQ(help.requests.size(), 0u);

    pointAt(findControl<QListView>(form, "queue"));
    leave(findControl<QListView>(form, "queue"));  // to the picture behind the controls, which has no hint
    EXPECT_EQ(statusText(), " ");
    pressF1();
    EXPECT_TRUE(help.requests.empty()) << "context 0 opens nothing";
    qt_test::pressKey(findControl<QFrame>(*toolbar, "Panel1"), Qt::Key_F1);
    EXPECT_TRUE(help.requests.empty()) << "the toolbar's context follows the hints too";
}

TEST_F(ContextHelpTest, HighlightedSetupOptionsShowsItsHintAndF1OpensTopic8)
{
    MainWindow& form = start();
    auto* tools = form.menuBar()->findChild<QMenu*>("mnuTools");
    ASSERT_NE(tools, nullptr);
    tools->popup(form.mapToGlobal(QPoint(10, 10)));
    tools->setActiveAction(form.findChild<QAction*>("mnuSetupOptions"));
    EXPECT_EQ(statusText(), "Changes setup options  {Press [F1] for Help}");
    qt_test::pressKey(tools, Qt::Key_F1);
    EXPECT_EQ(takeRequest(), context(8));
    tools->hide();
}

TEST_F(ContextHelpTest, WhatsThisOnAFilterBoxOffersTheFilterPanelsTopic)
{
    MainWindow& form = start();
    QCheckBox* wave = findControl<QCheckBox>(form, FileTypeFilters()[0].checkBox.data());
    release(wave, Qt::RightButton);
    ASSERT_TRUE(findControl<QMenu>(form, "popupmenu")->isVisible());
    EXPECT_EQ(findControl<QMenu>(form, "popupmenu")->actions().constFirst()->text(), "What's &This?");
    findControl<QMenu>(form, "popupmenu")->actions().constFirst()->trigger();
    findControl<QMenu>(form, "popupmenu")->hide();
    EXPECT_EQ(takeRequest(), context(47));
    EXPECT_TRUE(wave->isChecked()) << "the right click does not tick the box";

    // A left click on a play-mode box or a roll-up leaves the focus on "->".
    findControl<QCheckBox>(form, "chkRandom")->setFocus();
    release(findControl<QCheckBox>(form, "chkRandom"), Qt::LeftButton);
    EXPECT_TRUE(qt_test::waitUntil([&] { return form.focusWidget() == findControl<QPushButton>(form, "btnAdd"); }, 1s));
    findControl<QTabBar>(form, "TabSet1")->setFocus();
    release(findControl<QToolButton>(form, "btnFilterRollUp"), Qt::LeftButton);
    EXPECT_TRUE(qt_test::waitUntil([&] { return form.focusWidget() == findControl<QPushButton>(form, "btnAdd"); }, 1s));
    EXPECT_TRUE(help.requests.empty());
}

TEST_F(ContextHelpTest, WhatsThisOnTheToolbarEvenOnAGreyedSlot)
{
    start();
    QToolButton* stop = findControl<QToolButton>(*toolbar, "BitBtn7");
    ASSERT_FALSE(stop->isEnabled());
    release(stop, Qt::LeftButton);
    EXPECT_FALSE(findControl<QMenu>(*toolbar, "PopupMenu1")->isVisible()) << "only the right button";
    release(stop, Qt::RightButton);
    ASSERT_TRUE(findControl<QMenu>(*toolbar, "PopupMenu1")->isVisible());
    findControl<QAction>(*toolbar, "WhatsThis1")->trigger();
    findControl<QMenu>(*toolbar, "PopupMenu1")->hide();
    EXPECT_EQ(takeRequest(), context(26));

    release(findControl<QPushButton>(*toolbar, "Button1"), Qt::RightButton);
    findControl<QAction>(*toolbar, "WhatsThis1")->trigger();
    findControl<QMenu>(*toolbar, "PopupMenu1")->hide();
    EXPECT_EQ(takeRequest(), context(57));
    EXPECT_EQ(findControl<QPushButton>(*toolbar, "Button1")->statusTip(),
              "Button Toggle|057Toggle button/file info display on the toolbar");
}

TEST_F(ContextHelpTest, EveryCarrierHasTheHintOfItsTagAndMenuItemsTheirContexts)
{
    MainWindow& form = start();
    EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->statusTip(),
              "Edit CD Info|029Here you can edit information about the current CD.");
    EXPECT_EQ(findControl<QToolButton>(form, "btnQueueRollUp")->statusTip(),
              "Popups|055Show or hide an element on this window");
    EXPECT_EQ(findControl<QPushButton>(form, "btnRemoveAll")->statusTip(),
              "Remove All-Queue|020Removes every item from the queue");
    EXPECT_TRUE(findControl<QPushButton>(form, "btnRemoveAll")->toolTip().isEmpty())
        << "main-window controls show no tooltips";
    EXPECT_TRUE(findControl<QCheckBox>(form, "chkRandom")->statusTip().isEmpty())
        << "controls inside a panel show the panel's hint";
    EXPECT_TRUE(findControl<QLabel>(form, "PMultiImage1")->statusTip().isEmpty());
    auto* search = form.findChild<QAction*>("mnuHelpSearch");
    EXPECT_EQ(search->statusTip(), "Help Search|037Searches the Sonorail help for a particular topic");
    EXPECT_EQ(search->property("HelpContext").toInt(), 37);
}

// The real help window: F1 with the book beside the program lands on the main topic; with
// the book gone, one error box names it.
class HelpBookRequestTest : public MainWindowFixture {
protected:
    HelpBookEngine engine{QStringLiteral(SONORAIL_HELP_MODULE), QString::fromStdString(home.file("cache"))};
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        HelpEngine::install(&engine);
    }
};

TEST_F(HelpBookRequestTest, F1LandsOnTheMainTopicOrReportsAMissingBookOnce)
{
    start();
    qt_test::pressKey(findControl<QPushButton>(*mainWindow, "btnAdd"), Qt::Key_F1);
    QWidget* helpWindow = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "HelpWindow")
            helpWindow = window;
    }
    ASSERT_NE(helpWindow, nullptr);
    EXPECT_EQ(helpWindow->findChild<QTextBrowser*>("helpBrowser")->source().fileName(), "topic-35.html");
    EXPECT_TRUE(dialogs.shown.empty());

    placeProgram(home.file("sonorail"));  // neither ProgramDir nor the program's folder has the book now
    mainWindow->findChild<QAction*>("mnuHelpContents")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Error);
    EXPECT_EQ(dialogs.shown[0].text, "Cannot open file " + home.file("sonorail.qch") + ".");
}

}  // namespace
