#pragma once
// The rename dialog of the rename commands.
#include <QDialog>

class Trenamedialog : public QDialog {
    Q_OBJECT
public:
    explicit Trenamedialog(QWidget* parent = nullptr);
};
