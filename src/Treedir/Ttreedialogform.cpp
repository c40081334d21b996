#include "Ttreedialogform.h"

Ttreedialogform::Ttreedialogform(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ttreedialogform"));
    setWindowTitle(QStringLiteral("DirectoryTreeDialog"));
    setFixedSize(317, 214);
}
