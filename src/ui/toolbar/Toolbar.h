// TTToolbar: the toolbar window, eleven command slots that float anywhere or dock under
// the main window's menu bar. It is created first, and its creation has the main window
// created (which reads the toolbar's settings); it does not own the main window. It is the
// session's dock windows: the dock rules of the session's ToolbarDock place it, the main
// window and the viewer through it.
#pragma once
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/settings/Settings.h"
#include "core/toolbar/DockWindows.h"

class CommandDispatcher;
class DragOutline;
class Jukebox;
class MainWindow;
class QAction;
class QFont;
class QFontMetrics;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QToolButton;
class ToolbarDock;
class WhatsThisPopup;

class Toolbar : public QWidget, public DockWindows {
    Q_OBJECT
public:
    static constexpr int kWidth = 492;
    static constexpr int kHeight = 40;

    // createMainWindow is called once the slots have their default commands, and returns
    // the main window it created.
    Toolbar(Jukebox& session, CommandDispatcher& commands,
            const std::function<MainWindow&(Toolbar&)>& createMainWindow);
    ~Toolbar() override;

    // A slot: its glyph button and the caption under it, both carrying the slot's command.
    struct ToolbarSlot {
        QToolButton* button = nullptr;
        QLabel* label = nullptr;
    };

    // Gives every slot the glyph, hint and caption of the command the settings hold for it.
    void ApplyToolbarSlots(const std::array<int, kToolbarSlotCount>& commands);
    const std::array<int, kToolbarSlotCount>& slotCommands() const { return slotCommandNumbers; }

    // The viewer is created after the toolbar; the dock layout places it from then on.
    void attachViewer(QWidget* viewer);
    // The time displays, set together with the main window's.
    void setTimeDisplays(const QString& length, const QString& position);

    // Handlers
    void Button1Click();
    void Timer1Timer();

    // Controls (layout names)
    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    std::array<ToolbarSlot, kToolbarSlotCount> ToolbarSlots{};
    QPushButton* Button1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* infobar = nullptr;
    QLabel* lengthtimedisplay = nullptr;
    QLabel* positiontimedisplay = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* WhatsThis1 = nullptr;

    // DockWindows
    ScreenRect mainWindowBounds() const override;
    void setMainWindowHeight(int height) override;
    void ShiftMainControls(bool down) override;
    ScreenRect toolbarBounds() const override;
    void placeToolbar(const ScreenRect& bounds) override;
    void showToolbar() override;
    bool viewerInNormalState() const override;
    void setViewerTop(int top) override;
    void setViewerHeight(int height) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void createSlots();
    void createInformationPanel();
    static QFont fittingCaptionFont();
    static bool allCaptionsFit(const QFontMetrics& metrics, const std::vector<std::pair<int, QString>>& captions,
                               int room);
    void BuildCommandHintTable();
    void offerWhatsThis();

    // Dragging by the grips (Panel1, Image1, Panel2).
    bool handleGripMouse(QEvent* event);
    void Panel1MouseDown(const QPoint& at);
    void Panel1MouseMove(const QPoint& at);
    void Panel1MouseUp(const QPoint& at);
    QRect rubberBand() const;

    void followMainWindowState();
    void placeOnceShown();
    void mainWindowMoved();
    void measureCaptionMenuHeight();
    void placeViewer();
    ToolbarDock& dock() const;

    Jukebox& session;
    CommandDispatcher& commands;
    MainWindow* mainWindow = nullptr;
    QPointer<QWidget> viewer;
    std::array<int, kToolbarSlotCount> slotCommandNumbers{};
    WhatsThisPopup* whatsThis = nullptr;
    std::unique_ptr<DragOutline> outline;
    bool dragging = false;
    QPoint pressPoint;   // where the drag began, on the screen
    QPoint latestPoint;  // where the mouse is now, on the screen
    bool hiddenWithMainWindow = false;
};
