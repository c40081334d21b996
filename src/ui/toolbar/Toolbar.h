// TTToolbar: the toolbar window, eleven command slots that float anywhere or dock under
// the main window's menu bar. It is created first and creates the main window.
#pragma once
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/playback/MediaBackend.h"
#include "core/settings/Settings.h"

class CommandDispatcher;
class WelcomeWindow;
class MainWindow;

enum DockLayoutState { dlWithStrip = 1, dlWithoutStrip = 2 };

// What the main window's creation needs from the program entry.
struct MainWindowStart {
    CommandDispatcher* dispatcher = nullptr;
    WelcomeWindow* tips = nullptr;
    std::vector<std::string> arguments;  // the program's own, Qt's options taken out
    // What plays: libVLC in the program, a scripted back end in tests.
    std::function<std::unique_ptr<MediaBackend>()> mediaBackend;
};

class Toolbar : public QWidget {
    Q_OBJECT
public:
    explicit Toolbar(const MainWindowStart& start);
    ~Toolbar() override;

    MainWindow& mainWindow() const { return *form1; }

    // Gives every slot the command the settings hold for it.
    void ApplyToolbarSlots(const std::array<int, kToolbarSlotCount>& commands);
    const std::array<int, kToolbarSlotCount>& slotCommands() const { return slotCommandNumbers; }

    bool ToolbarDocked = true;
    DockLayoutState dockLayoutState = dlWithStrip;
    // The system's caption height plus the main window's menu-bar height.
    int CaptionMenuHeight = 0;

private:
    std::array<int, kToolbarSlotCount> slotCommandNumbers{};
    std::unique_ptr<MainWindow> form1;
};
