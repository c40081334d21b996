#pragma once
// The main window's share of a run's start-up: the steps the session calls at their place
// in its fixed order.
#include <array>

#include "core/settings/Settings.h"

class StartupWindow {
public:
    virtual ~StartupWindow() = default;
    // The file list gets the mask of the checked type filters.
    virtual void applyFileFilter() = 0;
    // The toolbar's slots get the commands the settings hold for them.
    virtual void applyToolbarSlots(const std::array<int, kToolbarSlotCount>& commands) = 0;
    // The display options and the drop acceptance of the session's settings.
    virtual void applySettings() = 0;
};
