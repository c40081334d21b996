#pragma once
// The toolbar docks under the main window's menu bar or floats anywhere. Docked, it lies
// over a strip at the top of the main window, which is taller by the toolbar's height and
// has its controls moved down by as much; floating, the strip goes. This class holds the
// dock state and the rules that keep the windows in step with it.
#include "core/playback/DockLayout.h"
#include "core/toolbar/DockWindows.h"

enum DockLayoutState { dlWithStrip = 1, dlWithoutStrip = 2 };

class ToolbarDock final : public DockLayout {
public:
    ToolbarDock() = default;
    explicit ToolbarDock(DockWindows& windows) : windows(&windows) {}
    // The windows the rules place; nullptr takes them back (nothing is placed any more).
    void attach(DockWindows* dockWindows) { windows = dockWindows ? dockWindows : &DockWindows::none(); }

    // Docked at every start; the main window is laid out for the docked toolbar.
    bool docked = true;
    DockLayoutState dockLayoutState = dlWithStrip;
    // From the main window's outer top to where a docked toolbar's top lies: the caption and
    // the menu bar.
    int captionMenuHeight = 0;

    // Whether a toolbar dropped with its top-left corner at x, y docks: its left edge from 5
    // pixels left of the main window to the main window's right edge, its top from the
    // main window's top to that top plus the toolbar's height and captionMenuHeight.
    static bool inDockZone(const ScreenRect& mainWindow, int x, int y, int toolbarHeight, int captionMenuHeight);

    // The end of a drag: the toolbar docks when dropped in the dock zone, otherwise it
    // floats where it was dropped, keeping its width. It moves once.
    void toolbarDropped(int x, int y);

    // Every move of the main window: a docked toolbar follows it, and the strip is added
    // or removed at once.
    void mainWindowMoved();

    // Every tick of the playback monitor: the strip follows the dock state, and a viewer in
    // the normal state lies under the menu bar and the strip. The toolbar does not move.
    void applyDockLayout() override;

private:
    ScreenRect dockedPlace(const ScreenRect& mainWindow, int toolbarHeight) const;
    // Both return the main window's new outer height.
    int addStrip(const ScreenRect& mainWindow, int toolbarHeight);
    int removeStrip(const ScreenRect& mainWindow, int toolbarHeight);

    DockWindows* windows = &DockWindows::none();
};
