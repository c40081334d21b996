// Ttreedialogform: the directory chooser of the copy and move commands.
#pragma once
#include <QDialog>

#include "ui/files/FileBrowser.h"

class QComboBox;
class QListView;
class QPushButton;
struct FileManagerTexts;

// Created once and kept, so that its drive and directory stay where the user left them from
// one use to the next. A directory counts as chosen once it is opened (double-click or
// Enter), as in the main window's directory list; one only highlighted is not taken.
class DirectoryChooser : public QDialog {
    Q_OBJECT
public:
    explicit DirectoryChooser(QWidget* parent = nullptr);
    DirectoryChooser(FileBrowserSources sources, QWidget* parent = nullptr);
    ~DirectoryChooser() override;

    // Shows the chooser modally with texts' prompt as its caption; OK leaves the directory
    // open in the list in texts' chosenDirectory, anything else leaves "null" there.
    void choose(FileManagerTexts& texts);

    // The directory open in the list.
    std::string directory() const;

    QComboBox* driveSelector;   // object name "DriveComboBox1"
    QListView* directoryList;   // object name "DirectoryListBox1"
    QPushButton* okButton;      // object name "OKBtn"
    QPushButton* cancelButton;  // object name "CancelBtn"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showPrompt();
    void acceptChoice();

    FileBrowser* browser = nullptr;
    FileManagerTexts* texts = nullptr;
};
