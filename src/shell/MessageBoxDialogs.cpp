#include "MessageBoxDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconFor(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Information: return QMessageBox::Information;
    case DialogKind::Warning: return QMessageBox::Warning;
    case DialogKind::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsFor(DialogButtons buttons)
{
    switch (buttons) {
    case DialogButtons::Ok: return QMessageBox::Ok;
    case DialogButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case DialogButtons::YesNoAll: return QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll;
    }
    return QMessageBox::Ok;
}

DialogAnswer answerFor(int button)
{
    switch (button) {
    case QMessageBox::Yes: return DialogAnswer::Yes;
    case QMessageBox::YesToAll: return DialogAnswer::All;
    case QMessageBox::Ok: return DialogAnswer::Ok;
    default: return DialogAnswer::No;  // closing the box cancels
    }
}

}  // namespace

DialogAnswer MessageBoxDialogs::ask(DialogKind kind, const std::string& caption, const std::string& text,
                                    DialogButtons buttons)
{
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    // Texts keep the old CR LF pairs in either order; a label only needs the line feeds.
    QString shownText = QString::fromLocal8Bit(text).remove(QLatin1Char('\r'));
    QMessageBox box(iconFor(kind), QString::fromLocal8Bit(caption), shownText, buttonsFor(buttons), owner);
    if (buttons == DialogButtons::YesNoAll)
        box.button(QMessageBox::YesToAll)->setText(QStringLiteral("&All"));
    if (buttons != DialogButtons::Ok)
        box.setEscapeButton(QMessageBox::No);
    return answerFor(box.exec());
}
