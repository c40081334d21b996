#pragma once
// The toolbar window: eleven command slots that float anywhere or dock under the main
// window's menu bar. It is created first and creates the main window.
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "playback/MediaBackend.h"
#include "settings/Settings.h"

class CommandDispatcher;
class TTips;
class Tform1;

enum DockLayoutState { dlWithStrip = 1, dlWithoutStrip = 2 };

// What the main window's creation needs from the program entry.
struct MainWindowStart {
    CommandDispatcher* dispatcher = nullptr;
    TTips* tips = nullptr;
    std::vector<std::string> arguments;  // the program's own, Qt's options taken out
    // What plays: libVLC in the program, a scripted back end in tests.
    std::function<std::unique_ptr<MediaBackend>()> mediaBackend;
};

class TTToolbar : public QWidget {
    Q_OBJECT
public:
    explicit TTToolbar(const MainWindowStart& start);
    ~TTToolbar() override;

    Tform1& mainWindow() const { return *form1; }

    // Gives every slot the command the settings hold for it.
    void ApplyToolbarSlots(const std::array<int, kToolbarSlotCount>& commands);
    const std::array<int, kToolbarSlotCount>& slotCommands() const { return slotCommandNumbers; }

    bool ToolbarDocked = true;
    DockLayoutState dockLayoutState = dlWithStrip;
    // The system's caption height plus the main window's menu-bar height.
    int CaptionMenuHeight = 0;

private:
    std::array<int, kToolbarSlotCount> slotCommandNumbers{};
    std::unique_ptr<Tform1> form1;
};
