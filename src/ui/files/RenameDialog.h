// Trenamedialog: the rename dialog of the rename commands.
#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
struct FileManagerTexts;

// Created once and kept; every showing takes its content from the shared texts. OK, Cancel
// (also Esc) and "Cancel All" write their answer to renameTo; the close box writes nothing,
// so renameTo keeps the name proposed.
class RenameDialog : public QDialog {
    Q_OBJECT
public:
    explicit RenameDialog(QWidget* parent = nullptr);

    // Shows the dialog modally for one file or track of a rename command.
    void askNewName(FileManagerTexts& texts);

    QLabel* fromLabel;             // object name "Label1"
    QLabel* noteLabel;             // object name "renamelabel"
    QLabel* oldName;               // object name "oldfile"
    QLabel* toLabel;               // object name "Label2"
    QLineEdit* newName;            // object name "newfile"
    QPushButton* okButton;         // object name "OKBtn"
    QPushButton* cancelButton;     // object name "CancelBtn"
    QPushButton* cancelAllButton;  // object name "btnAll"

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showTexts();
    void acceptName();
    void cancelThisFile();
    void cancelAllFiles();

    FileManagerTexts* texts = nullptr;
};
