#include "core/toolbar/ToolbarDock.h"

bool ToolbarDock::InDockZone(const ScreenRect& mainWindow, int x, int y, int toolbarHeight, int captionMenuHeight)
{
    return mainWindow.left - 5 <= x && x <= mainWindow.left + mainWindow.width && mainWindow.top <= y &&
           y <= mainWindow.top + toolbarHeight + captionMenuHeight;
}

ScreenRect ToolbarDock::dockedPlace(const ScreenRect& mainWindow, int toolbarHeight) const
{
    return {mainWindow.left, mainWindow.top + CaptionMenuHeight, mainWindow.width, toolbarHeight};
}

void ToolbarDock::ToolbarDropped(int x, int y)
{
    const ScreenRect mainWindow = windows->mainWindowBounds();
    const ScreenRect toolbar = windows->toolbarBounds();
    ToolbarDocked = InDockZone(mainWindow, x, y, toolbar.height, CaptionMenuHeight);
    windows->placeToolbar(ToolbarDocked ? dockedPlace(mainWindow, toolbar.height)
                                        : ScreenRect{x, y, toolbar.width, toolbar.height});
}

void ToolbarDock::MainWindowMoved()
{
    const ScreenRect mainWindow = windows->mainWindowBounds();
    const int toolbarHeight = windows->toolbarBounds().height;
    if (ToolbarDocked) {
        windows->placeToolbar(dockedPlace(mainWindow, toolbarHeight));
        windows->showToolbar();
        if (dockLayoutState == dlWithoutStrip)
            addStrip(mainWindow, toolbarHeight);
    } else if (dockLayoutState == dlWithStrip) {
        removeStrip(mainWindow, toolbarHeight);
    }
}

void ToolbarDock::applyDockLayout()
{
    const ScreenRect mainWindow = windows->mainWindowBounds();
    const int toolbarHeight = windows->toolbarBounds().height;
    const bool placeViewer = windows->viewerInNormalState();
    const int stripHeight = ToolbarDocked ? toolbarHeight : 0;
    if (placeViewer)
        windows->setViewerTop(mainWindow.top + CaptionMenuHeight + stripHeight);
    const bool layoutChanges = ToolbarDocked ? dockLayoutState == dlWithoutStrip : dockLayoutState == dlWithStrip;
    if (!layoutChanges)
        return;
    const int mainWindowHeight =
        ToolbarDocked ? addStrip(mainWindow, toolbarHeight) : removeStrip(mainWindow, toolbarHeight);
    // The viewer reaches down to the main window's new bottom edge.
    if (placeViewer)
        windows->setViewerHeight(mainWindowHeight - CaptionMenuHeight - stripHeight);
}

int ToolbarDock::addStrip(const ScreenRect& mainWindow, int toolbarHeight)
{
    const int height = mainWindow.height + toolbarHeight;
    windows->ShiftMainControls(true);
    windows->setMainWindowHeight(height);
    dockLayoutState = dlWithStrip;
    return height;
}

int ToolbarDock::removeStrip(const ScreenRect& mainWindow, int toolbarHeight)
{
    const int height = mainWindow.height - toolbarHeight;
    windows->setMainWindowHeight(height);
    windows->ShiftMainControls(false);
    dockLayoutState = dlWithoutStrip;
    return height;
}
