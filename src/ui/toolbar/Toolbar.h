// TTToolbar: the toolbar window, eleven command slots that float anywhere or dock under
// the main window's menu bar. It is created first, and its creation has the main window
// created (which reads the toolbar's settings); it does not own the main window.
#pragma once
#include <QWidget>
#include <array>
#include <functional>

#include "core/settings/Settings.h"

class QMainWindow;

enum DockLayoutState { dlWithStrip = 1, dlWithoutStrip = 2 };

class Toolbar : public QWidget {
    Q_OBJECT
public:
    // createMainWindow is called once the slots have their default commands, and returns
    // the main window it created.
    explicit Toolbar(const std::function<QMainWindow&(Toolbar&)>& createMainWindow);
    ~Toolbar() override;

    // Gives every slot the command the settings hold for it.
    void ApplyToolbarSlots(const std::array<int, kToolbarSlotCount>& commands);
    const std::array<int, kToolbarSlotCount>& slotCommands() const { return slotCommandNumbers; }

    bool ToolbarDocked = true;
    DockLayoutState dockLayoutState = dlWithStrip;
    // The system's caption height plus the main window's menu-bar height.
    int CaptionMenuHeight = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followMainWindowState(const QMainWindow& window);

    std::array<int, kToolbarSlotCount> slotCommandNumbers{};
    bool hiddenWithMainWindow = false;
};
