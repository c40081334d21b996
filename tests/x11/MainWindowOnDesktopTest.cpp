// The main window and the toolbar under a window manager (openbox on the suite's Xvfb), used
// with the mouse as a user does: xdotool moves the real pointer and presses its buttons, so a
// click lands on whatever lies on top at that point of the screen.
#include <QAbstractButton>
#include <QFrame>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "support/MainWindowFixture.h"
#include "support/XvfbMain.h"

// Last: Xlib's macros would clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

using namespace std::chrono_literals;

class MainWindowOnDesktopTest : public MainWindowFixture {
protected:
    static void SetUpTestSuite()
    {
        if (!XvfbStarted() || !missingTools().isEmpty())
            return;
        windowManager = std::make_unique<QProcess>();
        windowManager->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        // Ready once it has announced itself on the root window: a window shown before then
        // might never be framed.
        Display* display = XOpenDisplay(nullptr);
        if (!display)
            return;
        const Atom announced = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
        qt_test::waitUntil(
            [&] {
                Atom type = 0;
                int format = 0;
                unsigned long count = 0, after = 0;
                unsigned char* data = nullptr;
                XGetWindowProperty(display, DefaultRootWindow(display), announced, 0, 1, False, XA_WINDOW, &type,
                                   &format, &count, &after, &data);
                if (data)
                    XFree(data);
                return count > 0;
            },
            10s);
        XCloseDisplay(display);
        // It may announce itself before it frames new windows, and a window mapped then is
        // never framed: a window of trial is mapped until it is.
        QWidget trial;
        trial.resize(100, 100);
        for (int attempt = 0; attempt < 20; ++attempt) {
            trial.show();
            if (qt_test::waitUntil([&] { return trial.frameGeometry().top() < trial.geometry().top(); }, 500ms))
                break;
            trial.hide();
        }
    }
    static void TearDownTestSuite()
    {
        if (!windowManager)
            return;
        windowManager->terminate();
        windowManager->waitForFinished();
        windowManager.reset();
    }
    static QString missingTools()
    {
        QStringList missing;
        for (const char* tool : {"openbox", "xdotool"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                missing << QLatin1String(tool);
        }
        return missing.join(QStringLiteral(", "));
    }

    void SetUp() override
    {
        const QString missing = XvfbStarted() ? missingTools() : QStringLiteral("Xvfb");
        if (!missing.isEmpty()) {
            if (std::getenv("CI"))
                FAIL() << "missing on CI: " << missing.toStdString();
            GTEST_SKIP() << "needs " << missing.toStdString() << " (./setup test installs them)";
        }
        MainWindowFixture::SetUp();
    }

    // The windows shown, framed by the window manager and the toolbar docked on the main window.
    MainWindow& startFramed()
    {
        MainWindow& form = start();
        form.activateWindow();
        const bool framed = qt_test::waitUntil(
            [&] {
                return form.windowHandle()->isExposed() && form.frameGeometry().top() < form.geometry().top() &&
                       toolbar->isVisible() && toolbar->y() > form.geometry().top();
            },
            10s);
        EXPECT_TRUE(framed) << "the window manager did not frame the main window";
        qt_test::runEventsFor(300ms);
        return form;
    }

    static bool xdotool(const QStringList& arguments)
    {
        QProcess tool;
        tool.start(QStringLiteral("xdotool"), arguments);
        return tool.waitForFinished(10000) && tool.exitCode() == 0;
    }
    static QStringList at(QPoint point) { return {QString::number(point.x()), QString::number(point.y())}; }

    // A left click in the middle of the control, where the screen shows it.
    static void click(const QWidget* control)
    {
        const QPoint middle = control->mapToGlobal(control->rect().center());
        ASSERT_TRUE(xdotool(QStringList{QStringLiteral("mousemove")} + at(middle) +
                            QStringList{QStringLiteral("click"), QStringLiteral("1")}));
    }

    // Presses the left button on the toolbar's grip, moves and lets go so that the toolbar's
    // top-left corner lands at place.
    void dragToolbarTo(QPoint place)
    {
        const QPoint grip(toolbar->width() - 12, toolbar->height() - 8);  // Panel1, below "!"
        const QPoint from = toolbar->mapToGlobal(grip);
        const QPoint to = place + grip;
        ASSERT_TRUE(xdotool(QStringList{QStringLiteral("mousemove")} + at(from) +
                            QStringList{QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("mousemove")} +
                            at((from + to) / 2) + QStringList{QStringLiteral("mousemove")} + at(to) +
                            QStringList{QStringLiteral("mouseup"), QStringLiteral("1")}));
    }

    inline static std::unique_ptr<QProcess> windowManager;
};

// Each button of the main window raises its command, or rolls its part of the window up and
// down again, when the mouse clicks it: on the "Files" tab and, for the buttons that add,
// on the "CD-Audio" tab.
TEST_F(MainWindowOnDesktopTest, EveryButtonTakesItsClickFromTheMouse)
{
    MainWindow& form = startFramed();
    recordCommands();
    const std::pair<QAbstractButton*, Command> commandButtons[] = {
        {findControl<QPushButton>(form, "btnAdd"), Command::AddToQueue},
        {findControl<QPushButton>(form, "btnaddall"), Command::AddAllToQueue},
        {findControl<QPushButton>(form, "btnRemoveQueue"), Command::RemoveFromQueue},
        {findControl<QPushButton>(form, "btnRemoveAll"), Command::RemoveAllFromQueue},
        {findControl<QToolButton>(form, "btnUp"), Command::MoveQueueUp},
        {findControl<QToolButton>(form, "btnDown"), Command::MoveQueueDown}};
    const auto clickRaises = [&](QAbstractButton* button, Command command) {
        dispatcher.SetCommandEnabled(command, true);
        raised.clear();
        click(button);
        EXPECT_TRUE(qt_test::waitUntil([&] { return !raised.empty(); }, 2s))
            << button->objectName().toStdString() << " did not take the click";
        if (!raised.empty()) {
            EXPECT_EQ(raised.front().first, command) << button->objectName().toStdString();
        }
    };
    for (const auto& [button, command] : commandButtons)
        clickRaises(button, command);

    const std::pair<QAbstractButton*, QWidget*> rollUps[] = {
        {findControl<QToolButton>(form, "btnFileListRollUp"), findControl<QListView>(form, "FileListBox1")},
        {findControl<QToolButton>(form, "btnDirectoryListRollUp"), findControl<QTabBar>(form, "TabSet1")},
        {findControl<QToolButton>(form, "btnQueueRollUp"), findControl<QTabBar>(form, "TabSet2")},
        {findControl<QToolButton>(form, "btnFilterRollUp"), findControl<QFrame>(form, "filterpanel")},
        {findControl<QToolButton>(form, "btnPlayModeRollUp"), findControl<QFrame>(form, "playmodepanel")}};
    for (const auto& [button, part] : rollUps) {
        for (const bool shown : {false, true}) {
            click(button);
            EXPECT_TRUE(qt_test::waitUntil([&, part = part] { return part->isVisible() == shown; }, 2s))
                << button->objectName().toStdString() << " did not roll " << (shown ? "down" : "up");
        }
    }

    findControl<QTabBar>(form, "TabSet1")->setCurrentIndex(1);
    for (const auto& [button, command] : {commandButtons[0], commandButtons[1]})
        clickRaises(button, command);
}

// The toolbar floats where it is dropped away from the main window, and docks again when
// dropped on the main window's caption, which the window manager draws.
TEST_F(MainWindowOnDesktopTest, AToolbarDroppedOnTheCaptionDocks)
{
    MainWindow& form = startFramed();
    const QPoint dockedPlace = toolbar->pos();
    const int dockedHeight = form.frameGeometry().height();

    dragToolbarTo(QPoint(form.frameGeometry().left(), form.frameGeometry().bottom() + 60));
    ASSERT_TRUE(
        qt_test::waitUntil([&] { return form.frameGeometry().height() == dockedHeight - Toolbar::kHeight; }, 2s))
        << "the toolbar did not float";
    EXPECT_FALSE(session->toolbarDock().docked);

    const int caption = form.geometry().top() - form.frameGeometry().top();
    ASSERT_GT(caption, 4) << "no caption";
    dragToolbarTo(QPoint(form.frameGeometry().left() + 10, form.frameGeometry().top() + caption / 2));
    EXPECT_TRUE(qt_test::waitUntil([&] { return session->toolbarDock().docked; }, 2s))
        << "dropped on the caption, the toolbar stayed floating";
    EXPECT_TRUE(qt_test::waitUntil([&] { return form.frameGeometry().height() == dockedHeight; }, 2s));
    EXPECT_EQ(toolbar->pos(), dockedPlace) << "docked under the menu bar again";
}

// A slot's tool tip shows while the main window, not the toolbar, is the active window.
TEST_F(MainWindowOnDesktopTest, ToolTipsShowWhileTheMainWindowIsActive)
{
    MainWindow& form = startFramed();
    ASSERT_TRUE(qt_test::waitUntil([&] { return QApplication::activeWindow() == &form; }, 5s));
    const QToolButton* play = findControl<QToolButton>(*toolbar, "BitBtn5");
    const QPoint middle = play->mapToGlobal(play->rect().center());
    ASSERT_TRUE(xdotool(QStringList{QStringLiteral("mousemove")} + at(middle - QPoint(3, 0))));
    ASSERT_TRUE(xdotool(QStringList{QStringLiteral("mousemove")} + at(middle)));
    EXPECT_TRUE(qt_test::waitUntil([] { return QToolTip::isVisible(); }, 3s)) << "no tool tip";
    EXPECT_EQ(QToolTip::text(), "Play");
    EXPECT_EQ(QApplication::activeWindow(), &form);
}

}  // namespace
