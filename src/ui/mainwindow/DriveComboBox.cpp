#include "ui/mainwindow/DriveComboBox.h"

#include "ui/mainwindow/MainWindowControls.h"

DriveComboBox::DriveComboBox(QWidget* parent, QString listStyleSheet)
    : QComboBox(parent), listStyleSheet(std::move(listStyleSheet))
{
    MainWindowControls::setFieldColours(this);
}

void DriveComboBox::showPopup()
{
    if (styleSheet().isEmpty())
        setStyleSheet(listStyleSheet);
    QComboBox::showPopup();
}
