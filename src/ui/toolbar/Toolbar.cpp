#include "ui/toolbar/Toolbar.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>

Toolbar::Toolbar(const std::function<QMainWindow&(Toolbar&)>& createMainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TTToolbar"));
    setFixedSize(492, 40);
    ApplyToolbarSlots(DefaultToolbarSlotNumbers());
    QMainWindow& mainWindow = createMainWindow(*this);
    // Taken from the main window's own menu bar once it exists: a menu bar made only to be
    // measured costs a tenth of the program's start-up.
    CaptionMenuHeight = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight) +
                        mainWindow.menuBar()->sizeHint().height();
    dockLayoutState = dlWithStrip;
    mainWindow.installEventFilter(this);
}

Toolbar::~Toolbar() = default;

void Toolbar::ApplyToolbarSlots(const std::array<int, kToolbarSlotCount>& commands) { slotCommandNumbers = commands; }

bool Toolbar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange)
        followMainWindowState(*static_cast<QMainWindow*>(watched));
    return QWidget::eventFilter(watched, event);
}

// With the toolbar docked the whole program goes to the taskbar: the toolbar hides with
// the main window and comes back with it. A floating toolbar stays on the screen.
void Toolbar::followMainWindowState(const QMainWindow& window)
{
    if (window.isMinimized()) {
        if (ToolbarDocked && isVisible()) {
            hide();
            hiddenWithMainWindow = true;
        }
    } else if (hiddenWithMainWindow) {
        hiddenWithMainWindow = false;
        show();
    }
}
