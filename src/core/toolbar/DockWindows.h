#pragma once
// The windows the toolbar's dock rule places: the main window, the toolbar and the viewer,
// in screen pixels. The windows implement it; the rule itself is ToolbarDock.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ScreenRect&) const = default;
};

class DockWindows {
public:
    virtual ~DockWindows() = default;

    // The main window's outer bounds, the window manager's frame with its caption included
    // (until a window manager has framed the window, its own area with the menu bar).
    virtual ScreenRect mainWindowBounds() const = 0;
    virtual void setMainWindowHeight(int height) = 0;
    // Moves the main window's controls down or up by the toolbar's height.
    virtual void shiftMainControls(bool down) = 0;

    virtual ScreenRect toolbarBounds() const = 0;
    virtual void placeToolbar(const ScreenRect& bounds) = 0;
    virtual void showToolbar() = 0;

    // The viewer is placed only in its normal state (neither maximised nor minimised).
    virtual bool viewerInNormalState() const = 0;
    virtual void setViewerTop(int top) = 0;
    virtual void setViewerHeight(int height) = 0;

    // No windows: the session's until the toolbar exists.
    static DockWindows& none()
    {
        struct Nowhere final : DockWindows {
            ScreenRect mainWindowBounds() const override { return {}; }
            void setMainWindowHeight(int) override {}
            void shiftMainControls(bool) override {}
            ScreenRect toolbarBounds() const override { return {}; }
            void placeToolbar(const ScreenRect&) override {}
            void showToolbar() override {}
            bool viewerInNormalState() const override { return false; }
            void setViewerTop(int) override {}
            void setViewerHeight(int) override {}
        };
        static Nowhere nowhere;
        return nowhere;
    }
};
