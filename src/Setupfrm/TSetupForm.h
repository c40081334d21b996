#pragma once
// The modal "Setup Options" dialog over the settings record.
#include <QDialog>

class TSetupForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetupForm(QWidget* parent = nullptr);
};
