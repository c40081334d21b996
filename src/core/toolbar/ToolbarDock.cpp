#include "core/toolbar/ToolbarDock.h"

bool ToolbarDock::inDockZone(const ScreenRect& mainWindow, int x, int y, int toolbarHeight, int captionMenuHeight)
{
    return mainWindow.left - 5 <= x && x <= mainWindow.left + mainWindow.width && mainWindow.top <= y &&
           y <= mainWindow.top + toolbarHeight + captionMenuHeight;
}

ScreenRect ToolbarDock::dockedPlace(const ScreenRect& mainWindow, int toolbarHeight) const
{
    return {mainWindow.left, mainWindow.top + captionMenuHeight, mainWindow.width, toolbarHeight};
}

void ToolbarDock::toolbarDropped(int x, int y)
{
    const ScreenRect mainWindow = windows->mainWindowBounds();
    const ScreenRect toolbar = windows->toolbarBounds();
    docked = inDockZone(mainWindow, x, y, toolbar.height, captionMenuHeight);
    windows->placeToolbar(docked ? dockedPlace(mainWindow, toolbar.height)
                                 : ScreenRect{x, y, toolbar.width, toolbar.height});
}

void ToolbarDock::mainWindowMoved()
{
    const ScreenRect mainWindow = windows->mainWindowBounds();
    const int toolbarHeight = windows->toolbarBounds().height;
    if (docked) {
        windows->placeToolbar(dockedPlace(mainWindow, toolbarHeight));
        windows->showToolbar();
        if (dockLayoutState == dlWithoutStrip)
            addStrip(mainWindow, toolbarHeight);
    } else if (dockLayoutState == dlWithStrip) {
        removeStrip(mainWindow, toolbarHeight);
    }
}

// Most ticks find no viewer to place and the strip as the dock state wants it: they ask the
// windows for nothing else.
void ToolbarDock::applyDockLayout()
{
    const bool placeViewer = windows->viewerInNormalState();
    const bool layoutChanges = docked ? dockLayoutState == dlWithoutStrip : dockLayoutState == dlWithStrip;
    if (!placeViewer && !layoutChanges)
        return;
    const ScreenRect mainWindow = windows->mainWindowBounds();
    const int toolbarHeight = windows->toolbarBounds().height;
    const int stripHeight = docked ? toolbarHeight : 0;
    if (placeViewer)
        windows->setViewerTop(mainWindow.top + captionMenuHeight + stripHeight);
    if (!layoutChanges)
        return;
    const int mainWindowHeight = docked ? addStrip(mainWindow, toolbarHeight) : removeStrip(mainWindow, toolbarHeight);
    // The viewer reaches down to the main window's new bottom edge.
    if (placeViewer)
        windows->setViewerHeight(mainWindowHeight - captionMenuHeight - stripHeight);
}

int ToolbarDock::addStrip(const ScreenRect& mainWindow, int toolbarHeight)
{
    const int height = mainWindow.height + toolbarHeight;
    windows->shiftMainControls(true);
    windows->setMainWindowHeight(height);
    dockLayoutState = dlWithStrip;
    return height;
}

int ToolbarDock::removeStrip(const ScreenRect& mainWindow, int toolbarHeight)
{
    const int height = mainWindow.height - toolbarHeight;
    windows->setMainWindowHeight(height);
    windows->shiftMainControls(false);
    dockLayoutState = dlWithoutStrip;
    return height;
}
