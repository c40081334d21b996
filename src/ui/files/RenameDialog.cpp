#include "ui/files/RenameDialog.h"

RenameDialog::RenameDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Trenamedialog"));
    setWindowTitle(QStringLiteral("Rename files"));
    setFixedSize(396, 175);
}
