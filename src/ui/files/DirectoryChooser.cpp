#include "ui/files/DirectoryChooser.h"

DirectoryChooser::DirectoryChooser(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ttreedialogform"));
    setWindowTitle(QStringLiteral("DirectoryTreeDialog"));
    setFixedSize(317, 214);
}
