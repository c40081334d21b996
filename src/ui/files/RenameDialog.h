// Trenamedialog: the rename dialog of the rename commands.
#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
struct FileManagerTexts;

// Created once and kept; every showing takes its content from the shared texts. OK, Cancel
// (also Esc) and "Cancel All" write their answer to RenameTo; the close box writes nothing,
// so RenameTo keeps the name proposed.
class RenameDialog : public QDialog {
    Q_OBJECT
public:
    explicit RenameDialog(QWidget* parent = nullptr);

    // Shows the dialog modally for one file or track of a rename command.
    void askNewName(FileManagerTexts& texts);

    QLabel* Label1;
    QLabel* renamelabel;
    QLabel* oldfile;
    QLabel* Label2;
    QLineEdit* newfile;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* btnAll;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormActivate();
    void OKBtnClick();
    void CancelBtnClick();
    void btnAllClick();

    FileManagerTexts* texts = nullptr;
};
