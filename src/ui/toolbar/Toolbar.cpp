#include "ui/toolbar/Toolbar.h"

#include <QApplication>
#include <QMenuBar>
#include <QStyle>
#include <algorithm>

#include "ui/mainwindow/MainWindow.h"
#include "core/commands/CommandTable.h"

Toolbar::Toolbar(const MainWindowStart& start)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TTToolbar"));
    setFixedSize(492, 40);
    ApplyToolbarSlots(DefaultToolbarSlotNumbers());
    form1 = std::make_unique<MainWindow>(start, *this);
    // Taken from the main window's own menu bar once it exists: a menu bar made only to be
    // measured costs a tenth of the program's start-up.
    CaptionMenuHeight = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight) +
                        form1->menuBar()->sizeHint().height();
    dockLayoutState = dlWithStrip;
}

Toolbar::~Toolbar() = default;

void Toolbar::ApplyToolbarSlots(const std::array<int, kToolbarSlotCount>& commands) { slotCommandNumbers = commands; }
