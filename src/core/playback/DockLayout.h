#pragma once
// The dock layout step of the playback monitor's tick: the main window's strip follows the
// toolbar's dock state, and the viewer the strip (ToolbarDock does it).
class DockLayout {
public:
    virtual ~DockLayout() = default;
    virtual void applyDockLayout() = 0;

    // No layout to keep: a monitor without a toolbar.
    static DockLayout& none()
    {
        struct Nothing final : DockLayout {
            void applyDockLayout() override {}
        };
        static Nothing nothing;
        return nothing;
    }
};
