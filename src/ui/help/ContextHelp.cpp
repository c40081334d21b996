#include "ui/help/ContextHelp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusTipEvent>

#include "core/base/GuardedCall.h"
#include "core/help/StatusBarHint.h"
#include "core/settings/Settings.h"
#include "ui/help/ControlHints.h"
#include "ui/help/HelpEngine.h"

ContextHelp::ContextHelp(const Settings& settings, QLabel& statusBar, QWidget& mainWindow, QWidget& toolbar)
    : QObject(&mainWindow), settings(settings), statusbar(&statusBar), mainWindow(&mainWindow), toolbar(&toolbar)
{
    ControlHints::setHelpContext(&mainWindow, kMainTopic);
    ControlHints::setHelpContext(&toolbar, 0);
    qApp->installEventFilter(this);
}

ContextHelp::~ContextHelp() { qApp->removeEventFilter(this); }

void ContextHelp::showHintOnStatusBar(const QString& hint)
{
    const StatusBarHint shown =
        StatusBarHint::of(hint.toStdString(), settings.optShowHelponTaskbar, settings.optShowF1OnTaskbar);
    if (shown.statusText && statusbar)
        statusbar->setText(QString::fromStdString(*shown.statusText));
    if (shown.helpContext) {
        for (QWidget* window : {mainWindow.data(), toolbar.data()}) {
            if (window)
                ControlHints::setHelpContext(window, *shown.helpContext);
        }
    }
}

// Qt reports the hint under the mouse as a status tip, sent along the chain of parents:
// only a change counts.
bool ContextHelp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        const QString hint = static_cast<QStatusTipEvent*>(event)->tip();
        if (hint != currentHint) {
            currentHint = hint;
            showHintOnStatusBar(hint);
        }
    } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        return helpKeyPressed(watched);
    }
    return QObject::eventFilter(watched, event);
}

// F1 in an open menu opens the highlighted item's context. Elsewhere in the two windows
// it walks from the focused control up through its parents to the first context that is
// not 0; none there, nothing opens.
bool ContextHelp::helpKeyPressed(QObject* watched)
{
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
        if (QAction* item = menu->activeAction())
            openHelpContext(ControlHints::helpContextOf(item), mainWindow);
        return true;
    }
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control || (control->window() != mainWindow && control->window() != toolbar))
        return false;
    QWidget* focused = QApplication::focusWidget();
    if (!focused || focused->window() != control->window())
        focused = control;
    for (QWidget* carrier = focused; carrier; carrier = carrier->parentWidget()) {
        if (const int context = ControlHints::helpContextOf(carrier)) {
            openHelpContext(context, carrier->window());
            break;
        }
    }
    return true;
}

void ContextHelp::openHelpContext(int context, QWidget* owner)
{
    if (context > 0)
        GuardedCall(
            [&] { HelpEngine::ShowHelp(owner, HelpCommand::HELP_CONTEXT, static_cast<unsigned long>(context)); });
}
