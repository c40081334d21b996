#pragma once
// The directory chooser of the copy and move commands.
#include <QDialog>

class Ttreedialogform : public QDialog {
    Q_OBJECT
public:
    explicit Ttreedialogform(QWidget* parent = nullptr);
};
