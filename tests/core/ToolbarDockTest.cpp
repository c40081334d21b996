// The toolbar's dock zone and the main window's strip, on windows that are plain rectangles.
#include <gtest/gtest.h>

#include <vector>

#include "core/toolbar/ToolbarDock.h"

namespace {

constexpr int kToolbarHeight = 40;
constexpr int kCaptionMenuHeight = 45;

class RectangleWindows final : public DockWindows {
public:
    ScreenRect mainWindow{100, 50, 494, 470};
    ScreenRect toolbar{0, 0, 492, kToolbarHeight};
    std::vector<int> controlTops{37, 55, 71, 219, 367};
    bool toolbarShown = false;
    int toolbarMoves = 0;
    bool viewerNormal = true;
    int viewerTop = -1;
    int viewerHeight = -1;

    ScreenRect mainWindowBounds() const override { return mainWindow; }
    void setMainWindowHeight(int height) override { mainWindow.height = height; }
    void shiftMainControls(bool down) override
    {
        for (int& top : controlTops)
            top += down ? toolbar.height : -toolbar.height;
    }
    ScreenRect toolbarBounds() const override { return toolbar; }
    void placeToolbar(const ScreenRect& bounds) override
    {
        toolbar = bounds;
        ++toolbarMoves;
    }
    void showToolbar() override { toolbarShown = true; }
    bool viewerInNormalState() const override { return viewerNormal; }
    void setViewerTop(int top) override { viewerTop = top; }
    void setViewerHeight(int height) override { viewerHeight = height; }
};

class ToolbarDockTest : public ::testing::Test {
protected:
    ToolbarDockTest() { dock.captionMenuHeight = kCaptionMenuHeight; }

    void undockAndTick()
    {
        dock.toolbarDropped(800, 600);
        dock.applyDockLayout();
    }
    void dockAndTick()
    {
        dock.toolbarDropped(windows.mainWindow.left, windows.mainWindow.top + 10);
        dock.applyDockLayout();
    }

    RectangleWindows windows;
    ToolbarDock dock{windows};
};

TEST_F(ToolbarDockTest, DockZoneBoundsOnePixelInsideAndOutsideEachSide)
{
    const ScreenRect main = windows.mainWindow;  // left 100, top 50, width 494
    const auto docks = [&](int x, int y) {
        return ToolbarDock::inDockZone(main, x, y, kToolbarHeight, kCaptionMenuHeight);
    };
    const int insideY = main.top + 10;
    const int insideX = main.left + 10;
    EXPECT_TRUE(docks(main.left - 5, insideY));
    EXPECT_FALSE(docks(main.left - 6, insideY));
    EXPECT_TRUE(docks(main.left + main.width, insideY));
    EXPECT_FALSE(docks(main.left + main.width + 1, insideY));
    EXPECT_TRUE(docks(insideX, main.top));
    EXPECT_FALSE(docks(insideX, main.top - 1));
    EXPECT_TRUE(docks(insideX, main.top + kToolbarHeight + kCaptionMenuHeight));
    EXPECT_FALSE(docks(insideX, main.top + kToolbarHeight + kCaptionMenuHeight + 1));
}

TEST_F(ToolbarDockTest, DockingTakesTheMainWindowsWidthAndUndockingKeepsIt)
{
    dock.toolbarDropped(97, 60);
    EXPECT_TRUE(dock.docked);
    EXPECT_EQ(windows.toolbar, (ScreenRect{100, 50 + kCaptionMenuHeight, 494, kToolbarHeight}));
    EXPECT_EQ(windows.toolbarMoves, 1) << "the toolbar moves once, at the drop";

    dock.toolbarDropped(700, 20);
    EXPECT_FALSE(dock.docked);
    EXPECT_EQ(windows.toolbar, (ScreenRect{700, 20, 494, kToolbarHeight}));
}

TEST_F(ToolbarDockTest, TickShrinksAndGrowsTheMainWindowAndPlacesTheViewerWithoutMovingTheToolbar)
{
    const std::vector<int> docked = windows.controlTops;
    undockAndTick();
    EXPECT_EQ(dock.dockLayoutState, dlWithoutStrip);
    EXPECT_EQ(windows.mainWindow.height, 430);
    EXPECT_EQ(windows.controlTops.front(), docked.front() - kToolbarHeight);
    EXPECT_EQ(windows.viewerTop, 50 + kCaptionMenuHeight);
    EXPECT_EQ(windows.viewerHeight, 430 - kCaptionMenuHeight) << "down to the main window's bottom edge";

    const int moves = windows.toolbarMoves;
    dock.applyDockLayout();
    EXPECT_EQ(windows.mainWindow.height, 430) << "nothing more while the state stays";
    EXPECT_EQ(windows.toolbarMoves, moves);

    dockAndTick();
    EXPECT_EQ(dock.dockLayoutState, dlWithStrip);
    EXPECT_EQ(windows.mainWindow.height, 470);
    EXPECT_EQ(windows.controlTops, docked);
    EXPECT_EQ(windows.viewerTop, 50 + kCaptionMenuHeight + kToolbarHeight);
    EXPECT_EQ(windows.viewerHeight, 470 - kCaptionMenuHeight - kToolbarHeight);
}

TEST_F(ToolbarDockTest, FiftyUndockDockCyclesLeaveNoControlDrifted)
{
    const std::vector<int> docked = windows.controlTops;
    for (int cycle = 0; cycle < 50; ++cycle) {
        undockAndTick();
        dockAndTick();
    }
    EXPECT_EQ(windows.controlTops, docked);
    EXPECT_EQ(windows.mainWindow.height, 470);
}

TEST_F(ToolbarDockTest, MaximisedViewerIsLeftAlone)
{
    windows.viewerNormal = false;
    undockAndTick();
    EXPECT_EQ(windows.viewerTop, -1);
    EXPECT_EQ(windows.viewerHeight, -1);
}

TEST_F(ToolbarDockTest, MainWindowMoveCarriesTheDockedToolbarAndAddsOrRemovesTheStripAtOnce)
{
    windows.mainWindow.left = 300;
    windows.mainWindow.top = 200;
    dock.mainWindowMoved();
    EXPECT_TRUE(windows.toolbarShown) << "the first placement shows the toolbar";
    EXPECT_EQ(windows.toolbar, (ScreenRect{300, 200 + kCaptionMenuHeight, 494, kToolbarHeight}));

    dock.toolbarDropped(900, 700);
    dock.mainWindowMoved();
    EXPECT_EQ(dock.dockLayoutState, dlWithoutStrip);
    EXPECT_EQ(windows.mainWindow.height, 430);
    EXPECT_EQ(windows.toolbar.left, 900) << "a floating toolbar stays where it is";

    dock.docked = true;  // docked by a drop, before the next tick
    dock.mainWindowMoved();
    EXPECT_EQ(dock.dockLayoutState, dlWithStrip);
    EXPECT_EQ(windows.mainWindow.height, 470);
}

}  // namespace
