// Trenamedialog: the rename dialog of the rename commands.
#pragma once
#include <QDialog>

class RenameDialog : public QDialog {
    Q_OBJECT
public:
    explicit RenameDialog(QWidget* parent = nullptr);
};
