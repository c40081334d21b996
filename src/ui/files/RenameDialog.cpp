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
    Label1 = new QLabel(QStringLiteral("From:"), frame);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 8, 60, 16);
    renamelabel = new QLabel(frame);
    renamelabel->setObjectName(QStringLiteral("renamelabel"));
    renamelabel->setGeometry(120, 8, 252, 16);
    oldfile = new QLabel(frame);
    oldfile->setObjectName(QStringLiteral("oldfile"));
    oldfile->setFont(withWeight(dialogFont, false, true));
    oldfile->setGeometry(8, 28, 364, 16);
    Label2 = new QLabel(QStringLiteral("To:"), frame);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 60, 60, 16);
    newfile = new QLineEdit(frame);
    newfile->setObjectName(QStringLiteral("newfile"));
    newfile->setFrame(false);
    newfile->setFont(withWeight(dialogFont, false));
    newfile->setGeometry(8, 80, 364, 20);

    OKBtn = makeButton(this, "OKBtn", QStringLiteral("OK"), 24);
    OKBtn->setDefault(true);  // Enter in the edit field presses it
    CancelBtn = makeButton(this, "CancelBtn", QStringLiteral("Cancel"), 160);
    btnAll = makeButton(this, "btnAll", QStringLiteral("C&ancel All"), 296);
    connect(OKBtn, &QPushButton::clicked, this, [this] { GuardedCall([this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { GuardedCall([this] { CancelBtnClick(); }); });
    connect(btnAll, &QPushButton::clicked, this, [this] { GuardedCall([this] { btnAllClick(); }); });
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
    FormActivate();
}

void RenameDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CancelBtn->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RenameDialog::FormActivate()
{
    if (!texts)
        return;
    const QString from = readable(texts->RenameFrom);
    // A long path keeps both ends in view; the whole of it is in the tip.
    oldfile->setText(oldfile->fontMetrics().elidedText(from, Qt::ElideMiddle, oldfile->width()));
    oldfile->setToolTip(from);
    renamelabel->setText(QString::fromStdString(texts->RenameNote));
    newfile->setText(readable(texts->RenameTo));
    newfile->setFocus();
    newfile->selectAll();
}

void RenameDialog::OKBtnClick()
{
    if (texts)
        texts->renameAccepted(newfile->text().toStdString());
    accept();
}

void RenameDialog::CancelBtnClick()
{
    if (texts)
        texts->renameCancelled();
    reject();
}

void RenameDialog::btnAllClick()
{
    if (texts)
        texts->renameCancelledAll();
    reject();
}
