#pragma once
// Who shows what the file-manager commands do: the main window (its lists and the
// file-information line), the information bar, and the dialogs. The session points each at
// the window that does the work once that window exists; until then nothing is shown.
#include "core/base/InformationBar.h"
#include "core/files/FileManagerDialogs.h"
#include "core/files/FileManagerWindow.h"

struct FileManagerViews {
    FileManagerWindow* window = &FileManagerWindow::none();
    InformationBar* infoBar = &InformationBar::none();
    FileManagerDialogs* dialogs = &FileManagerDialogs::none();
};
