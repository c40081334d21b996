#include "ui/commands/MessageBoxDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconFor(DialogKind kind)
{
    switch (kind) {
        case DialogKind::Information:
            return QMessageBox::Information;
        case DialogKind::Warning:
            return QMessageBox::Warning;
        case DialogKind::Error:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsFor(DialogButtons buttons)
{
    switch (buttons) {
        case DialogButtons::Ok:
            return QMessageBox::Ok;
        case DialogButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case DialogButtons::YesNoAll:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll;
    }
    return QMessageBox::Ok;
}

DialogAnswer answerFor(int button)
{
    switch (button) {
        case QMessageBox::Yes:
            return DialogAnswer::Yes;
        case QMessageBox::YesToAll:
            return DialogAnswer::All;
        case QMessageBox::Ok:
            return DialogAnswer::Ok;
        default:
            return DialogAnswer::No;  // closing the box cancels
    }
}

QWidget* dialogOwner()
{
    QWidget* owner = QApplication::activeModalWidget();
    return owner ? owner : QApplication::activeWindow();
}

QString fromBytes(const std::string& bytes) { return QString::fromLocal8Bit(bytes); }

}  // namespace

DialogAnswer MessageBoxDialogs::ask(DialogKind kind, const std::string& caption, const std::string& text,
                                    DialogButtons buttons)
{
    QWidget* owner = dialogOwner();
    // Texts keep the old CR LF pairs in either order; a label only needs the line feeds.
    QString shownText = QString::fromLocal8Bit(text).remove(QLatin1Char('\r'));
    QMessageBox box(iconFor(kind), QString::fromLocal8Bit(caption), shownText, buttonsFor(buttons), owner);
    if (buttons == DialogButtons::YesNoAll)
        box.button(QMessageBox::YesToAll)->setText(QStringLiteral("&All"));
    if (buttons != DialogButtons::Ok)
        box.setEscapeButton(QMessageBox::No);
    return answerFor(box.exec());
}

// Qt's own dialog, not the desktop's, so that the types match without regard to case
// ("*.ALB" lists "x.alb", as albums from other systems are named). The caller completes a
// name typed without extension with the selected type's: the dialog's own default suffix
// does not follow a change of type.
std::optional<FileDialogChoice> MessageBoxDialogs::chooseFile(const FileDialogRequest& request)
{
    const bool saving = request.mode == FileDialogRequest::Mode::Save;
    QFileDialog dialog(dialogOwner());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A typed name need not exist as typed: "party" opens "party.alb".
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList captions;
    for (const FileDialogFilter& filter : request.filters)
        captions.append(fromBytes(filter.caption));
    dialog.setNameFilters(captions);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (!request.initialFile.empty())
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(request.initialFile)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const qsizetype filter = captions.indexOf(dialog.selectedNameFilter());
    return FileDialogChoice{QFile::encodeName(dialog.selectedFiles().first()).toStdString(),
                            static_cast<int>(filter < 0 ? 0 : filter)};
}
