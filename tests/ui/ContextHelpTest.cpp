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
    void pressF1() { qt_test::pressKey(mainWindow->btnAdd, Qt::Key_F1); }

    QString statusText() const { return mainWindow->statusbar->text(); }
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
    pointAt(form.queue);
    EXPECT_EQ(statusText(), "The Multimedia Queue  {Press [F1] for Help}");
    pressF1();
    EXPECT_EQ(takeRequest(), context(44));
    EXPECT_EQ(help.requests.size(), 0u);

    session->settings().optShowF1OnTaskbar = false;
    pointAt(form.DriveComboBox1);
    EXPECT_EQ(statusText(), "Choose the drive where you want to find multimedia files");

    session->settings().optShowHelponTaskbar = false;
    pointAt(form.filterpanel);
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

    pointAt(form.queue);
    leave(form.queue);  // to the picture behind the controls, which has no hint
    EXPECT_EQ(statusText(), " ");
    pressF1();
    EXPECT_TRUE(help.requests.empty()) << "context 0 opens nothing";
    qt_test::pressKey(toolbar->Panel1, Qt::Key_F1);
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
    QCheckBox* wave = form.filterBoxes[0];
    release(wave, Qt::RightButton);
    ASSERT_TRUE(form.popupmenu->isVisible());
    EXPECT_EQ(form.popupmenu->actions().constFirst()->text(), "What's &This?");
    form.popupmenu->actions().constFirst()->trigger();
    form.popupmenu->hide();
    EXPECT_EQ(takeRequest(), context(47));
    EXPECT_TRUE(wave->isChecked()) << "the right click does not tick the box";

    // A left click on a play-mode box or a roll-up leaves the focus on "->".
    form.chkRandom->setFocus();
    release(form.chkRandom, Qt::LeftButton);
    EXPECT_TRUE(qt_test::waitUntil([&] { return form.focusWidget() == form.btnAdd; }, 1s));
    form.TabSet1->setFocus();
    release(form.btnFilterRollUp, Qt::LeftButton);
    EXPECT_TRUE(qt_test::waitUntil([&] { return form.focusWidget() == form.btnAdd; }, 1s));
    EXPECT_TRUE(help.requests.empty());
}

TEST_F(ContextHelpTest, WhatsThisOnTheToolbarEvenOnAGreyedSlot)
{
    start();
    QToolButton* stop = toolbar->ToolbarSlots[6].button;
    ASSERT_FALSE(stop->isEnabled());
    release(stop, Qt::LeftButton);
    EXPECT_FALSE(toolbar->PopupMenu1->isVisible()) << "only the right button";
    release(stop, Qt::RightButton);
    ASSERT_TRUE(toolbar->PopupMenu1->isVisible());
    toolbar->WhatsThis1->trigger();
    toolbar->PopupMenu1->hide();
    EXPECT_EQ(takeRequest(), context(26));

    release(toolbar->Button1, Qt::RightButton);
    toolbar->WhatsThis1->trigger();
    toolbar->PopupMenu1->hide();
    EXPECT_EQ(takeRequest(), context(57));
    EXPECT_EQ(toolbar->Button1->statusTip(), "Button Toggle|057Toggle button/file info display on the toolbar");
}

TEST_F(ContextHelpTest, EveryCarrierHasTheHintOfItsTagAndMenuItemsTheirContexts)
{
    MainWindow& form = start();
    EXPECT_EQ(form.cdtitle->statusTip(), "Edit CD Info|029Here you can edit information about the current CD.");
    EXPECT_EQ(form.btnQueueRollUp->statusTip(), "Popups|055Show or hide an element on this window");
    EXPECT_EQ(form.btnRemoveAll->statusTip(), "Remove All-Queue|020Removes every item from the queue");
    EXPECT_TRUE(form.btnRemoveAll->toolTip().isEmpty()) << "main-window controls show no tooltips";
    EXPECT_TRUE(form.chkRandom->statusTip().isEmpty()) << "controls inside a panel show the panel's hint";
    EXPECT_TRUE(form.PMultiImage1->statusTip().isEmpty());
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
    qt_test::pressKey(mainWindow->btnAdd, Qt::Key_F1);
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
