#include "Trenamedialog.h"

Trenamedialog::Trenamedialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Trenamedialog"));
    setWindowTitle(QStringLiteral("Rename files"));
    setFixedSize(396, 175);
}
