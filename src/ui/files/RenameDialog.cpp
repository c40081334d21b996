#include "ui/files/RenameDialog.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/base/GuardedCall.h"
#include "core/base/Utf8Text.h"
#include "core/files/FileManagerTexts.h"

namespace {

QFont withWeight(QFont font, bool bold, bool italic = false)
{
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QString readable(const std::string& bytes) { return QString::fromStdString(Utf8FromLegacyText(bytes)); }

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int x)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, 140, 75, 25);
    return button;
}

}  // namespace

RenameDialog::RenameDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Trenamedialog"));
    setWindowTitle(QStringLiteral("Rename files"));
    QFont dialogFont = font();
    dialogFont.setFamily(QStringLiteral("Sans Serif"));
    dialogFont.setPixelSize(11);  // 8 points on the 96-dpi screen the layout was drawn for
    setFont(withWeight(dialogFont, true));
    setFixedSize(396, 175);

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(8, 8, 380, 121);
    fromLabel = new QLabel(QStringLiteral("From:"), frame);
    fromLabel->setObjectName(QStringLiteral("Label1"));
    fromLabel->setGeometry(8, 8, 60, 16);
    noteLabel = new QLabel(frame);
    noteLabel->setObjectName(QStringLiteral("renamelabel"));
    noteLabel->setGeometry(120, 8, 252, 16);
    oldName = new QLabel(frame);
    oldName->setObjectName(QStringLiteral("oldfile"));
    oldName->setFont(withWeight(dialogFont, false, true));
    oldName->setGeometry(8, 28, 364, 16);
    toLabel = new QLabel(QStringLiteral("To:"), frame);
    toLabel->setObjectName(QStringLiteral("Label2"));
    toLabel->setGeometry(8, 60, 60, 16);
    newName = new QLineEdit(frame);
    newName->setObjectName(QStringLiteral("newfile"));
    newName->setFrame(false);
    newName->setFont(withWeight(dialogFont, false));
    newName->setGeometry(8, 80, 364, 20);

    okButton = makeButton(this, "OKBtn", QStringLiteral("OK"), 24);
    okButton->setDefault(true);  // Enter in the edit field presses it
    cancelButton = makeButton(this, "CancelBtn", QStringLiteral("Cancel"), 160);
    cancelAllButton = makeButton(this, "btnAll", QStringLiteral("C&ancel All"), 296);
    connect(okButton, &QPushButton::clicked, this, [this] { GuardedCall([this] { acceptName(); }); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { GuardedCall([this] { cancelThisFile(); }); });
    connect(cancelAllButton, &QPushButton::clicked, this, [this] { GuardedCall([this] { cancelAllFiles(); }); });
}

void RenameDialog::askNewName(FileManagerTexts& shared)
{
    texts = &shared;
    exec();
    texts = nullptr;
}

void RenameDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    showTexts();
}

void RenameDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RenameDialog::showTexts()
{
    if (!texts)
        return;
    const QString from = readable(texts->renameFrom);
    // A long path keeps both ends in view; the whole of it is in the tip.
    oldName->setText(oldName->fontMetrics().elidedText(from, Qt::ElideMiddle, oldName->width()));
    oldName->setToolTip(from);
    noteLabel->setText(QString::fromStdString(texts->renameNote));
    newName->setText(readable(texts->renameTo));
    newName->setFocus();
    newName->selectAll();
}

void RenameDialog::acceptName()
{
    if (texts)
        texts->renameAccepted(newName->text().toStdString());
    accept();
}

void RenameDialog::cancelThisFile()
{
    if (texts)
        texts->renameCancelled();
    reject();
}

void RenameDialog::cancelAllFiles()
{
    if (texts)
        texts->renameCancelledAll();
    reject();
}
