#include "TSetupForm.h"

TSetupForm::TSetupForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TSetupForm"));
    setWindowTitle(QStringLiteral("Setup Options"));
}
