// Ttreedialogform: the directory chooser of the copy and move commands.
#pragma once
#include <QDialog>

class DirectoryChooser : public QDialog {
    Q_OBJECT
public:
    explicit DirectoryChooser(QWidget* parent = nullptr);
};
