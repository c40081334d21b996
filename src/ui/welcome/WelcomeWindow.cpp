#include "ui/welcome/WelcomeWindow.h"

#include <QCheckBox>

WelcomeWindow::WelcomeWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TTips"));
    setWindowTitle(QStringLiteral("Hello!"));
    setFixedSize(498, 428);
    visualOptTipOfDay = new QCheckBox(this);
    visualOptTipOfDay->setObjectName(QStringLiteral("visualOptTipOfDay"));
    visualOptTipOfDay->setChecked(true);
}
