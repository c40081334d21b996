// The animated icon on a real X server: the turns are shown by the server's own window, with
// no repaint of the program's, and that window gives way where the icon cannot be seen.
#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>

#include "support/QtEvents.h"
#include "support/XvfbMain.h"
#include "ui/mainwindow/IconFrameView.h"

namespace {

const QString kStrip = QStringLiteral(SONORAIL_ICON_STRIP);

// A window like the main window's corner: a black panel holding the icon, and a red sheet
// beside it that can be brought over it, as the picture area comes over the controls.
class AnimatedIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!XvfbStarted())
            GTEST_SKIP() << "no Xvfb";
        window = std::make_unique<QWidget>();
        window->setFixedSize(200, 150);
        panel = filled(window.get(), Qt::black, QRect(40, 30, 40, 40));
        icon = new IconFrameView(panel);
        icon->setGeometry(4, 4, 32, 32);
        icon->loadStrip(kStrip.toStdString());
        sheet = filled(window.get(), Qt::red, QRect(0, 0, 200, 150));
        sheet->lower();
        window->show();
        ASSERT_TRUE(qt_test::waitUntil([&] { return window->windowHandle()->isExposed(); }));
        qt_test::runEventsFor(std::chrono::milliseconds(100));
        icon->installEventFilter(&paints);
    }

    static QWidget* filled(QWidget* parent, QColor colour, QRect place)
    {
        auto* widget = new QWidget(parent);
        widget->setAutoFillBackground(true);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, colour);
        widget->setPalette(palette);
        widget->setGeometry(place);
        return widget;
    }

    // What the X server shows at the icon's place, read back from it.
    QImage onScreen() const
    {
        const QPoint at = icon->mapTo(window.get(), QPoint(0, 0));
        const QPixmap grabbed = window->screen()->grabWindow(window->winId(), at.x(), at.y(), 32, 32);
        return grabbed.toImage().convertToFormat(QImage::Format_RGB32);
    }
    static QImage frame(int number)
    {
        return QImage(kStrip).copy(32 * number, 0, 32, 32).convertToFormat(QImage::Format_RGB32);
    }

    struct PaintCounter : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            count += event->type() == QEvent::Paint;
            return false;
        }
    } paints;

    std::unique_ptr<QWidget> window;
    QWidget* panel = nullptr;
    IconFrameView* icon = nullptr;
    QWidget* sheet = nullptr;
};

TEST_F(AnimatedIconTest, TurnsAreShownByTheServerWithoutARepaint)
{
    for (int turn : {1, 2, 3, 0, 1}) {
        icon->showFrame(turn);
        ASSERT_TRUE(icon->shownByServer());
        QCoreApplication::processEvents();
        EXPECT_EQ(onScreen(), frame(turn)) << "turn to frame " << turn;
    }
    EXPECT_EQ(paints.count, 0);
}

TEST_F(AnimatedIconTest, AnOpaqueWidgetBroughtOverTheIconHidesTheServersWindowAtOnce)
{
    icon->showFrame(2);
    sheet->raise();
    EXPECT_FALSE(icon->shownByServer()) << "before the next turn";
    QCoreApplication::processEvents();
    EXPECT_EQ(onScreen().pixel(16, 16), qRgb(255, 0, 0));

    icon->showFrame(3);  // covered: remembered, not painted
    sheet->lower();
    EXPECT_TRUE(icon->shownByServer());
    QCoreApplication::processEvents();
    EXPECT_EQ(onScreen(), frame(3));
}

TEST_F(AnimatedIconTest, APartlyCoveredIconIsPaintedByTheWidget)
{
    sheet->setGeometry(0, 0, 60, 150);  // over the icon's left half
    sheet->raise();
    const int paintsBefore = paints.count;
    icon->showFrame(1);
    EXPECT_FALSE(icon->shownByServer());
    ASSERT_TRUE(qt_test::waitUntil([&] { return paints.count > paintsBefore; }));
    EXPECT_EQ(onScreen().copy(24, 0, 8, 32), frame(1).copy(24, 0, 8, 32)) << "the right half shows the frame";
    EXPECT_EQ(onScreen().pixel(4, 16), qRgb(255, 0, 0));
}

// A see-through widget over the icon that turns opaque tells nothing of it: the server's
// window gives way when the window paints it, before any further turn.
TEST_F(AnimatedIconTest, AWidgetOverTheIconThatBecomesOpaqueHidesTheServersWindowWhenItPaints)
{
    auto* glass = new QWidget(window.get());
    glass->setGeometry(0, 0, 200, 150);
    glass->show();
    icon->showFrame(1);
    QCoreApplication::processEvents();
    ASSERT_TRUE(icon->shownByServer()) << "nothing covers the icon yet";

    glass->setAutoFillBackground(true);
    glass->update();
    ASSERT_TRUE(qt_test::waitUntil([&] { return !icon->shownByServer(); }));
    QCoreApplication::processEvents();
    EXPECT_NE(onScreen(), frame(1));
}

TEST_F(AnimatedIconTest, TheServersWindowFollowsThePanelWhenItMovesHidesAndShows)
{
    icon->showFrame(1);
    panel->move(120, 80);
    QCoreApplication::processEvents();
    EXPECT_EQ(onScreen(), frame(1)) << "moved with the panel, before the next turn";

    panel->hide();
    EXPECT_FALSE(icon->shownByServer());
    icon->showFrame(2);
    panel->show();
    EXPECT_TRUE(icon->shownByServer());
    QCoreApplication::processEvents();
    EXPECT_EQ(onScreen(), frame(2));
}

}  // namespace
