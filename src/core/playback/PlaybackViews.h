#pragma once
// Who carries out what the engine and the monitor decide: the dispatcher greys and enables
// the commands, the information bar names the item, the viewer shows documents and
// pictures, the video area takes the video, the display the times, the icon and the intro
// countdown, the toolbar's dock layout the strip of the docked toolbar. The session points each at the window that does the work once that window
// exists; until then the work is left undone.
#include "core/base/InformationBar.h"
#include "core/base/CommandControl.h"
#include "core/playback/PlaybackDisplay.h"
#include "core/playback/VideoArea.h"
#include "core/playback/Viewer.h"
#include "core/playback/DockLayout.h"

struct PlaybackViews {
    CommandControl* commands = &CommandControl::none();
    InformationBar* infoBar = &InformationBar::none();
    Viewer* viewer = &Viewer::none();
    VideoArea* video = &VideoArea::none();
    PlaybackDisplay* display = &PlaybackDisplay::none();
    DockLayout* dockLayout = &DockLayout::none();
};
