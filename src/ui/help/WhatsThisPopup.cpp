#include "ui/help/WhatsThisPopup.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>

#include "core/base/GuardedCall.h"
#include "core/commands/CommandTable.h"
#include "ui/help/ControlHints.h"
#include "ui/help/HelpEngine.h"

WhatsThisPopup::WhatsThisPopup(QMenu& popup, QAction& item, QWidget& owner)
    : QObject(&owner), popup(popup), item(item), owner(owner)
{
    connect(&item, &QAction::triggered, this, [this] { showOfferedTopic(); });
}

void WhatsThisPopup::offerOn(QWidget* control) { control->installEventFilter(this); }

// The release counts even on a greyed control, whose own handling ignores the mouse. What
// another button does waits until the control has taken the release: a button that lost the
// keyboard focus first would let go of its click, and its command would never run.
bool WhatsThisPopup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    auto* release = static_cast<QMouseEvent*>(event);
    if (release->button() == Qt::RightButton)
        openAt(static_cast<QWidget*>(watched), release->globalPosition().toPoint());
    else if (onOtherButton)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (onOtherButton)
                    onOtherButton();
            },
            Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void WhatsThisPopup::openAt(const QWidget* control, const QPoint& at)
{
    const int topic = CommandTable::helpTopicOf(ControlHints::hintOf(control).toStdString());
    if (topic <= 0)
        return;
    offeredTopic = topic;
    ControlHints::setHelpContext(&popup, topic);
    popup.popup(at);
}

void WhatsThisPopup::showOfferedTopic()
{
    GuardedCall(
        [this] { HelpEngine::ShowHelp(&owner, HelpCommand::HELP_CONTEXT, static_cast<unsigned long>(offeredTopic)); });
}
