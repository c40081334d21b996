#include "ui/mainwindow/StyleSheetOnFirstShow.h"

#include <QEvent>
#include <QWidget>

StyleSheetOnFirstShow::StyleSheetOnFirstShow(QWidget& widget, QString styleSheet)
    : QObject(&widget), styleSheet(std::move(styleSheet))
{
    widget.installEventFilter(this);
}

// The show event comes before the widget's first paint; the sheet is set once, and the
// filter goes with it.
bool StyleSheetOnFirstShow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        auto* widget = static_cast<QWidget*>(watched);
        widget->removeEventFilter(this);
        widget->setStyleSheet(styleSheet);
        deleteLater();
    }
    return false;
}
