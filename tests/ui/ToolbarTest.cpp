// The toolbar window over the main window: its slots, dragging it off and back with the
// main window's strip following, "!" and the mirrored information bar.
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <map>

#include "support/MainWindowFixture.h"
#include "ui/toolbar/CommandGlyph.h"
#include "ui/toolbar/DragOutline.h"

namespace {

using namespace std::chrono_literals;

class ToolbarTest : public MainWindowFixture {
protected:
    // A press, a move and a release of the left button on a grip, by the mouse's distance
    // on the screen.
    void drag(QWidget* grip, QPoint by, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint from = grip->mapToGlobal(QPoint(5, 5));
        send(grip, QEvent::MouseButtonPress, from, button, button);
        send(grip, QEvent::MouseMove, from + by / 2, Qt::NoButton, button);
        send(grip, QEvent::MouseMove, from + by, Qt::NoButton, button);
        send(grip, QEvent::MouseButtonRelease, from + by, button, Qt::NoButton);
    }
    static void send(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button,
                     Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    // Drops the toolbar with its top-left corner at the given place.
    void dropAt(QPoint place) { drag(findControl<QFrame>(*toolbar, "Panel1"), place - toolbar->pos()); }
    void tick() { session->monitor().tick(); }

    std::map<QString, QRect> controlPlaces() const
    {
        std::map<QString, QRect> places;
        for (QWidget* control : mainWindow->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            places[control->objectName()] = control->geometry();
        return places;
    }
    // The dock counts from the main window's outer edges, its frame included.
    QPoint mainTopLeft() const { return mainWindow->frameGeometry().topLeft(); }
    int captionMenuHeight() const { return session->toolbarDock().captionMenuHeight; }
};

TEST_F(ToolbarTest, DockedUnderTheMenuBarOnceTheMainWindowIsPlaced)
{
    MainWindow& form = start();
    const auto dockedPlace = [&] {
        return QRect(mainTopLeft() + QPoint(0, captionMenuHeight()),
                     QSize(form.frameGeometry().width(), Toolbar::kHeight));
    };
    // The platform may place the window again once it has framed it.
    EXPECT_TRUE(qt_test::waitUntil([&] { return toolbar->isVisible() && toolbar->geometry() == dockedPlace(); }, 2s))
        << "toolbar " << toolbar->x() << "," << toolbar->y() << " main " << mainTopLeft().x() << ","
        << mainTopLeft().y();
    EXPECT_EQ(toolbar->geometry().bottom() + 1, form.centralWidget()->mapToGlobal(QPoint(0, 37)).y())
        << "the docked toolbar covers the top 37 pixels of the client area";
    EXPECT_TRUE(toolbar->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(toolbar->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(ToolbarTest, SlotsShowTheCommandsOfTheirKeysAndGreyWithThem)
{
    home.write("sr3.ini", "[Toolbar]\r\nT1=0\r\nT2=35\r\nT3=0x14\r\nT5=abc\r\nT6=31\r\n");
    start();
    struct ToolbarSlot {
        QToolButton* button;
        QLabel* label;
    };
    std::vector<ToolbarSlot> toolbarSlots;
    for (int slot = 1; slot <= kToolbarSlotCount; ++slot)
        toolbarSlots.push_back({findControl<QToolButton>(*toolbar, ("BitBtn" + std::to_string(slot)).c_str()),
                                findControl<QLabel>(*toolbar, ("Label" + std::to_string(slot)).c_str())});
    EXPECT_EQ(toolbarSlots[0].label->text(), "OpenAlb") << "0 gives Open Album";
    EXPECT_EQ(toolbarSlots[1].label->text(), "OpenAlb") << "35 gives Open Album";
    EXPECT_EQ(toolbarSlots[2].label->text(), "Play") << "0x14 is 20";
    EXPECT_EQ(toolbarSlots[4].label->text(), "Play") << "text keeps the slot's default";
    EXPECT_EQ(toolbarSlots[5].label->text(), "") << "31 is no command: no caption, no glyph";
    EXPECT_TRUE(toolbarSlots[5].button->icon().isNull());
    EXPECT_EQ(toolbarSlots[2].button->toolTip(), "Play");
    EXPECT_EQ(toolbarSlots[2].button->statusTip(), "Play|033Plays the current contents of the multimedia queue");
    EXPECT_TRUE(toolbarSlots[2].label->toolTip().isEmpty()) << "only the glyph buttons show tooltips";
    EXPECT_EQ(toolbarSlots[6].label->text(), "Stop");

    // Stop is greyed at start: its glyph shows its greyed half, its caption is greyed too.
    EXPECT_FALSE(toolbarSlots[6].button->isEnabled());
    EXPECT_FALSE(toolbarSlots[6].label->isEnabled());
    dispatcher.SetCommandEnabled(Command::Play, false);
    for (std::size_t slot : {2u, 4u}) {
        EXPECT_FALSE(toolbarSlots[slot].button->isEnabled());
        EXPECT_FALSE(toolbarSlots[slot].label->isEnabled());
    }
    const QImage greyed = CommandGlyph::keyedBitmap(20).copy(16, 0, 16, 16);
    EXPECT_EQ(
        toolbarSlots[2].button->icon().pixmap(16, QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32),
        greyed);

    recordCommands();
    dispatcher.SetCommandEnabled(Command::Play, true);
    toolbarSlots[2].button->click();
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].first, Command::Play);
}

TEST_F(ToolbarTest, DraggedOffTheMainWindowShrinksItAndBackGrowsIt)
{
    MainWindow& form = start();
    ASSERT_TRUE(qt_test::waitUntil([&] { return toolbar->isVisible(); }));
    const int dockedHeight = form.geometry().height();
    const int dockedWidth = toolbar->width();
    const QRect queueDocked = findControl<QListView>(form, "queue")->geometry();

    dropAt(mainTopLeft() + QPoint(0, 600));
    EXPECT_FALSE(session->toolbarDock().docked);
    EXPECT_EQ(toolbar->pos(), mainTopLeft() + QPoint(0, 600)) << "the toolbar moves once, at the release";
    EXPECT_EQ(toolbar->width(), dockedWidth) << "undocking keeps the width";
    EXPECT_EQ(form.geometry().height(), dockedHeight) << "the strip goes at the next tick";
    tick();
    EXPECT_EQ(form.geometry().height(), dockedHeight - Toolbar::kHeight);
    EXPECT_EQ(findControl<QListView>(form, "queue")->geometry(), queueDocked.translated(0, -Toolbar::kHeight));
    EXPECT_EQ(findControl<QLabel>(form, "statusbar")->geometry().bottom(), form.centralWidget()->height() - 1)
        << "the status bar stays at the bottom";

    dropAt(mainTopLeft() + QPoint(-5, captionMenuHeight() + Toolbar::kHeight));
    EXPECT_TRUE(session->toolbarDock().docked);
    EXPECT_EQ(toolbar->geometry(), QRect(mainTopLeft() + QPoint(0, captionMenuHeight()),
                                         QSize(form.frameGeometry().width(), Toolbar::kHeight)))
        << "pulled into place at once";
    tick();
    EXPECT_EQ(form.geometry().height(), dockedHeight);
    EXPECT_EQ(findControl<QListView>(form, "queue")->geometry(), queueDocked);
}

TEST_F(ToolbarTest, FiftyUndockDockCyclesLeaveEveryControlWhereItWas)
{
    start();
    ASSERT_TRUE(qt_test::waitUntil([&] { return toolbar->isVisible(); }));
    const std::map<QString, QRect> docked = controlPlaces();
    const QSize dockedSize = mainWindow->size();
    for (int cycle = 0; cycle < 50; ++cycle) {
        dropAt(mainTopLeft() + QPoint(300, 700));
        tick();
        dropAt(mainTopLeft() + QPoint(0, captionMenuHeight()));
        tick();
    }
    EXPECT_EQ(controlPlaces(), docked);
    EXPECT_EQ(mainWindow->size(), dockedSize);
}

TEST_F(ToolbarTest, OnlyTheLeftButtonDragsAndOnlyWhileDockingIsNotForced)
{
    start();
    ASSERT_TRUE(qt_test::waitUntil([&] { return toolbar->isVisible(); }));
    const QPoint docked = toolbar->pos();
    drag(findControl<QFrame>(*toolbar, "Panel1"), QPoint(0, 500), Qt::RightButton);
    EXPECT_EQ(toolbar->pos(), docked);

    session->settings().optForceToolbarDock = true;
    drag(findControl<QLabel>(*toolbar, "Image1"), QPoint(0, 500));
    EXPECT_EQ(toolbar->pos(), docked);
    EXPECT_TRUE(session->toolbarDock().docked);

    session->settings().optForceToolbarDock = false;
    drag(findControl<QLabel>(*toolbar, "Image1"), QPoint(0, 500));
    EXPECT_EQ(toolbar->pos(), docked + QPoint(0, 500)) << "the icon is a grip";
}

TEST_F(ToolbarTest, RubberBandShowsTheFuturePlaceWhileTheToolbarStays)
{
    start();
    ASSERT_TRUE(qt_test::waitUntil([&] { return toolbar->isVisible(); }));
    const QRect docked = toolbar->geometry();
    const QPoint from = findControl<QFrame>(*toolbar, "Panel1")->mapToGlobal(QPoint(5, 5));
    send(findControl<QFrame>(*toolbar, "Panel1"), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(findControl<QFrame>(*toolbar, "Panel1"), QEvent::MouseMove, from + QPoint(30, 200), Qt::NoButton,
         Qt::LeftButton);
    DragOutline* outline = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<DragOutline*>(window))
            outline = found;
    }
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE(outline->isVisible());
    EXPECT_EQ(outline->geometry(), docked.translated(30, 200));
    EXPECT_EQ(toolbar->geometry(), docked) << "nothing moves during the drag";
    EXPECT_TRUE(outline->windowFlags() & Qt::X11BypassWindowManagerHint);
    EXPECT_FALSE(outline->mask().contains(outline->rect().center())) << "an outline only";

    send(findControl<QFrame>(*toolbar, "Panel1"), QEvent::MouseButtonRelease, from + QPoint(30, 200), Qt::LeftButton,
         Qt::NoButton);
    EXPECT_FALSE(outline->isVisible());
}

TEST_F(ToolbarTest, ExclamationShowsTheInformationPanelWhichMirrorsTheInformationBar)
{
    MainWindow& form = start();
    EXPECT_TRUE(findControl<QFrame>(*toolbar, "Panel2")->isHidden());
    form.showInfo("Current item:  /music/a.mid");
    findControl<QPushButton>(*toolbar, "Button1")->click();
    EXPECT_TRUE(findControl<QFrame>(*toolbar, "Panel2")->isVisibleTo(toolbar.get()));
    EXPECT_EQ(findControl<QLabel>(*toolbar, "infobar")->text(), "Current item:  /music/a.mid")
        << "current as soon as it shows";
    form.showInfo("There are currently no items in the queue.");
    EXPECT_EQ(findControl<QLabel>(*toolbar, "infobar")->text(), "There are currently no items in the queue.");
    form.setTimeDisplays("03:05", "00:12");
    EXPECT_EQ(findControl<QLabel>(*toolbar, "lengthtimedisplay")->text(), "03:05");
    EXPECT_EQ(findControl<QLabel>(*toolbar, "positiontimedisplay")->text(), "00:12");
    findControl<QPushButton>(*toolbar, "Button1")->click();
    EXPECT_TRUE(findControl<QFrame>(*toolbar, "Panel2")->isHidden());
    for (const QTimer* timer : toolbar->findChildren<QTimer*>())
        EXPECT_FALSE(timer->isActive()) << "nothing wakes the toolbar to copy the bar";
}

// "!" covers the slots with the panel's own background, and its captions show whole.
TEST_F(ToolbarTest, TheInformationPanelCoversTheSlotsAndShowsItsCaptionsWhole)
{
    start();
    findControl<QPushButton>(*toolbar, "Button1")->click();
    // Under the caption of the eighth slot the panel has nothing of its own: only its colour.
    const QImage shown = toolbar->grab().toImage();
    const QRect caption =
        findControl<QLabel>(*toolbar, "Label8")->geometry() & findControl<QFrame>(*toolbar, "Panel2")->geometry();
    const QRgb background = findControl<QFrame>(*toolbar, "Panel2")->palette().color(QPalette::Window).rgb();
    int showingThrough = 0;
    for (int y = caption.top(); y <= caption.bottom(); ++y) {
        for (int x = caption.left(); x <= caption.right(); ++x)
            showingThrough += shown.pixel(x, y) != background;
    }
    EXPECT_EQ(showingThrough, 0) << "pixels of the slot's caption show through the panel";
    for (const char* name : {"lblSongLength", "lblSongPosition"}) {
        auto* caption = findControl<QFrame>(*toolbar, "Panel2")->findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(caption, nullptr) << name;
        EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->contentsRect().width())
            << caption->text().toStdString() << " is cut";
    }
}

// Every command's caption fits a slot's 35-pixel label in the captions' font.
TEST_F(ToolbarTest, EveryCaptionFitsItsLabel)
{
    start();
    const QLabel* label = findControl<QLabel>(*toolbar, "Label2");
    ASSERT_EQ(label->width(), 35);
    int captions = 0;
    for (Command command : CommandTable::allCommands()) {
        const std::string_view caption = CommandTable::hintEntry(command).Caption;
        if (caption.empty())
            continue;
        ++captions;
        const QString text = QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
        EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->contentsRect().width()) << caption;
    }
    EXPECT_EQ(captions, 33);
}

TEST_F(ToolbarTest, MinimisingTakesADockedToolbarAlongButLeavesAFloatingOne)
{
    MainWindow& form = start();
    ASSERT_TRUE(qt_test::waitUntil([&] { return toolbar->isVisible(); }));
    form.showMinimized();
    EXPECT_TRUE(toolbar->isHidden());
    form.showNormal();
    EXPECT_TRUE(toolbar->isVisible());

    dropAt(mainTopLeft() + QPoint(0, 600));
    form.showMinimized();
    EXPECT_TRUE(toolbar->isVisible());
}

TEST_F(ToolbarTest, AfterAMinimisedStartTheToolbarAppearsWithTheMainWindow)
{
    MainWindow& form = start();
    form.showMinimized();
    toolbar->hide();  // as after "/m": never placed yet
    form.showNormal();
    EXPECT_TRUE(toolbar->isVisible());
    EXPECT_EQ(toolbar->pos(), mainTopLeft() + QPoint(0, captionMenuHeight()));
}

// A start minimised leaves the toolbar unshown until the main window comes back; slots
// assigned meanwhile show then with their glyphs and captions that fit.
TEST_F(ToolbarTest, AToolbarFirstShownLateShowsTheGlyphsAndCaptionsOfItsSlots)
{
    session = std::make_unique<Jukebox>(std::make_unique<ScriptedBackend>(), dispatcher, std::vector<std::string>{});
    toolbar = std::make_unique<Toolbar>(*session, dispatcher, [this](Toolbar& bar) -> MainWindow& {
        mainWindow = std::make_unique<MainWindow>(*session, dispatcher, bar);
        return *mainWindow;
    });
    mainWindow->showMinimized();
    ASSERT_TRUE(toolbar->isHidden());
    std::array<Command, kToolbarSlotCount> assigned = kDefaultToolbarSlots;
    assigned[0] = Command::Play;
    toolbar->applySlots(assigned);
    mainWindow->showNormal();
    ASSERT_TRUE(toolbar->isVisible());

    const auto* play = findControl<QToolButton>(*toolbar, "BitBtn1");
    EXPECT_EQ(play->icon().pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32),
              CommandGlyph::keyedBitmap(20).copy(0, 0, 16, 16));
    const QLabel* caption = findControl<QLabel>(*toolbar, "Label2");
    for (Command command : CommandTable::allCommands()) {
        const std::string_view text = CommandTable::hintEntry(command).Caption;
        EXPECT_LE(caption->fontMetrics().horizontalAdvance(
                      QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()))),
                  caption->contentsRect().width())
            << text;
    }
}

}  // namespace
