#include "ui/help/ControlHints.h"

#include <QAction>
#include <QVariant>
#include <QWidget>

#include "core/commands/CommandTable.h"
#include "ui/commands/CommandDispatcher.h"

namespace {

constexpr auto kHelpContextProperty = "HelpContext";

QString hintText(std::string_view hint)
{
    return QString::fromLatin1(hint.data(), static_cast<qsizetype>(hint.size()));
}

}  // namespace

void ControlHints::setHint(QObject* carrier, std::string_view hint)
{
    if (auto* item = qobject_cast<QAction*>(carrier))
        item->setStatusTip(hintText(hint));
    else if (auto* control = qobject_cast<QWidget*>(carrier))
        control->setStatusTip(hintText(hint));
}

QString ControlHints::hintOf(const QWidget* control)
{
    for (; control; control = control->parentWidget()) {
        if (!control->statusTip().isEmpty())
            return control->statusTip();
        if (control->isWindow())
            break;
    }
    return {};
}

QString ControlHints::titleOf(const QString& hint) { return hint.section(QLatin1Char('|'), 0, 0); }

int ControlHints::helpContextOf(const QObject* carrier) { return carrier->property(kHelpContextProperty).toInt(); }

void ControlHints::setHelpContext(QObject* carrier, int context)
{
    carrier->setProperty(kHelpContextProperty, context);
}

void ControlHints::AssignMenuHints(QWidget& window)
{
    for (QAction* item : window.findChildren<QAction*>()) {
        const int tag = CommandDispatcher::tagOf(item);
        if (tag == 0)
            continue;
        const std::string_view hint = CommandTable::hintEntry(tag).Hint;
        setHint(item, hint);
        setHelpContext(item, CommandTable::helpTopicOf(hint));
    }
}

void ControlHints::AssignControlHints(QWidget& client)
{
    for (QWidget* control : client.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const int tag = CommandDispatcher::tagOf(control);
        if (tag != 0)
            setHint(control, CommandTable::hintEntry(tag).Hint);
    }
}
