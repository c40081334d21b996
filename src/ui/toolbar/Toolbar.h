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

#include "core/base/Command.h"
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

    // Gives every slot the glyph, hint and caption of the command the settings hold for it.
    void applySlots(const std::array<Command, kToolbarSlotCount>& assigned);
    const std::array<Command, kToolbarSlotCount>& slotCommands() const { return commandOfSlot; }

    // The viewer is created after the toolbar; the dock layout places it from then on.
    void attachViewer(QWidget* viewer);
    // The time displays and the information bar, set together with the main window's.
    void setTimeDisplays(const QString& length, const QString& position);
    void showInformation(const QString& text);

    // DockWindows
    ScreenRect mainWindowBounds() const override;
    void setMainWindowHeight(int height) override;
    void shiftMainControls(bool down) override;
    ScreenRect toolbarBounds() const override;
    void placeToolbar(const ScreenRect& bounds) override;
    void showToolbar() override;
    bool viewerInNormalState() const override;
    void setViewerTop(int top) override;
    void setViewerHeight(int height) override;

    // The first showing gives the slots their looks (below).
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A slot: its glyph button and the caption under it, both carrying the slot's command.
    struct ToolbarSlot {
        QToolButton* button = nullptr;
        QLabel* label = nullptr;
    };

    void createControls();
    void createSlots();
    void createInformationPanel();
    static QFont fittingCaptionFont();
    static bool allCaptionsFit(const QFontMetrics& metrics, const std::vector<std::pair<int, QString>>& captions,
                               int room);
    void registerSlots();
    // The slots' glyphs, the captions' fitted font and the program's icon.
    void prepareLooks();
    void showSlotGlyphs();
    void offerWhatsThis();
    void toggleInformationPanel();

    // Dragging by the grips (the panel, the program's icon, the information panel).
    bool handleGripMouse(QEvent* event);
    void beginDrag(const QPoint& at);
    void moveDrag(const QPoint& at);
    void endDrag(const QPoint& at);
    QRect rubberBand() const;

    void followMainWindowState();
    void placeOnceShown();
    void mainWindowMoved();
    void measureCaptionMenuHeight();
    void placeViewer();
    ToolbarDock& dock() const;

    // Controls; each keeps its layout name as its object name, which tests and the help
    // contexts look up. The slots are BitBtn1 to BitBtn11 with their captions Label1 to Label11.
    QFrame* panel = nullptr;        // Panel1
    QLabel* programIcon = nullptr;  // Image1
    std::array<ToolbarSlot, kToolbarSlotCount> toolbarSlots{};
    QPushButton* informationButton = nullptr;  // Button1
    QFrame* informationPanel = nullptr;        // Panel2
    QLabel* informationBar = nullptr;          // infobar
    QLabel* lengthDisplay = nullptr;           // lengthtimedisplay
    QLabel* positionDisplay = nullptr;         // positiontimedisplay
    QMenu* whatsThisMenu = nullptr;            // PopupMenu1
    QAction* whatsThisAction = nullptr;        // WhatsThis1

    Jukebox& session;
    CommandDispatcher& commands;
    MainWindow* mainWindow = nullptr;
    QPointer<QWidget> viewer;
    std::array<Command, kToolbarSlotCount> commandOfSlot{};
    WhatsThisPopup* whatsThis = nullptr;
    std::unique_ptr<DragOutline> outline;
    bool dragging = false;
    QPoint pressPoint;   // where the drag began, on the screen
    QPoint latestPoint;  // where the mouse is now, on the screen
    bool hiddenWithMainWindow = false;
    bool looksPrepared = false;
};
