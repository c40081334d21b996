// The directory chooser, the rename dialog and the progress of a copy, driven as a user
// would while they are shown modally.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "core/files/FileCommands.h"
#include "core/files/FileManagerTexts.h"
#include "core/settings/Settings.h"
#include "support/FakeFileManager.h"
#include "support/QtEvents.h"
#include "support/TempDir.h"
#include "ui/files/DirectoryChooser.h"
#include "ui/files/FileCommandDialogs.h"
#include "ui/files/RenameDialog.h"

namespace fs = std::filesystem;

namespace {

// Runs user's actions once the modal dialog shows (it is shown by the call that follows).
void whenShown(QDialog& dialog, std::function<void()> user)
{
    QTimer::singleShot(0, &dialog, [&dialog, user = std::move(user)] {
        ASSERT_TRUE(qt_test::waitUntil([&] { return dialog.isVisible(); }));
        user();
    });
}

int rowNamed(const QListView& list, const QString& name)
{
    for (int row = 0; row < list.model()->rowCount(); ++row)
        if (list.model()->index(row, 0).data().toString().trimmed() == name)
            return row;
    return -1;
}

class DirectoryChooserTest : public ::testing::Test {
protected:
    DirectoryChooserTest()
    {
        fs::create_directories(volume.path() / "Music" / "Rock");
        fs::create_directories(volume.path() / "Music" / "Jazz");
        FileBrowserSources sources;
        sources.volumes = [this] { return std::vector<std::string>{volume.path().string()}; };
        sources.startDirectory = [this] { return (volume.path() / "Music").string(); };
        sources.watchMountTable = false;
        chooser = std::make_unique<DirectoryChooser>(std::move(sources));
        texts.directoryPrompt = "Select where to copy the files.";
    }

    // Highlights the subdirectory `name` of the directory open in the list.
    void highlight(const QString& name)
    {
        QListView* list = chooser->directoryList;
        list->setCurrentIndex(list->model()->index(rowNamed(*list, name), 0));
    }

    TempDir volume;
    FileManagerTexts texts;
    std::unique_ptr<DirectoryChooser> chooser;
};

TEST_F(DirectoryChooserTest, OkTakesTheDirectoryOpenedAndTheCaptionIsThePrompt)
{
    QString caption;
    whenShown(*chooser, [&] {
        caption = chooser->windowTitle();
        highlight(QStringLiteral("Rock"));
        qt_test::pressKey(chooser->directoryList, Qt::Key_Return);  // opens Rock, closes nothing
        highlight(QStringLiteral("Music"));                         // only highlighted
        chooser->okButton->click();
    });
    chooser->choose(texts);

    EXPECT_EQ(caption, QStringLiteral("Select where to copy the files."));
    EXPECT_EQ(texts.chosenDirectory, (volume.path() / "Music" / "Rock").string());
}

TEST_F(DirectoryChooserTest, CancelEscAndTheCloseBoxChooseNothingAndTheDirectoryIsKept)
{
    const std::vector<std::function<void()>> leavings = {
        [&] { chooser->cancelButton->click(); },
        [&] { qt_test::pressKey(chooser->directoryList, Qt::Key_Escape); },
        [&] { chooser->close(); },
    };
    for (const auto& leave : leavings) {
        texts.chosenDirectory = "/somewhere";
        whenShown(*chooser, [&] {
            EXPECT_EQ(chooser->focusWidget(), chooser->okButton);
            highlight(QStringLiteral("Jazz"));
            qt_test::pressKey(chooser->directoryList, Qt::Key_Enter);
            leave();
        });
        chooser->choose(texts);
        EXPECT_EQ(texts.chosenDirectory, "null");
    }
    EXPECT_EQ(chooser->directory(), (volume.path() / "Music" / "Jazz").string());
    // The next use opens where the last one was left.
    whenShown(*chooser, [&] { chooser->okButton->click(); });
    chooser->choose(texts);
    EXPECT_EQ(texts.chosenDirectory, (volume.path() / "Music" / "Jazz").string());
}

class RenameDialogTest : public ::testing::Test {
protected:
    RenameDialogTest()
    {
        texts.renameFrom = "/music/SONG.MID";
        texts.renameTo = texts.renameFrom;
    }

    RenameDialog dialog;
    FileManagerTexts texts;
};

TEST_F(RenameDialogTest, ShowsTheNamesAndATypedNameReplacesTheSelectedProposal)
{
    texts.renameNote = "Track #2";
    QString from, note, proposal, selected;
    whenShown(dialog, [&] {
        from = dialog.oldName->text();
        note = dialog.noteLabel->text();
        proposal = dialog.newName->text();
        selected = dialog.newName->selectedText();
        EXPECT_EQ(dialog.focusWidget(), dialog.newName);
        dialog.newName->insert(QStringLiteral("/music/TUNE"));  // typing replaces the selection
        qt_test::pressKey(dialog.newName, Qt::Key_Return);
    });
    dialog.askNewName(texts);

    EXPECT_EQ(from, QStringLiteral("/music/SONG.MID"));
    EXPECT_EQ(note, QStringLiteral("Track #2"));
    EXPECT_EQ(proposal, QStringLiteral("/music/SONG.MID"));
    EXPECT_EQ(selected, proposal);
    EXPECT_EQ(texts.renameTo, "/music/TUNE.MID");
}

TEST_F(RenameDialogTest, CancelEscCancelAllAndTheCloseBoxAnswerAsTheirButtonsDo)
{
    const std::vector<std::pair<std::function<void()>, std::string>> answers = {
        {[&] { dialog.cancelButton->click(); }, "(cancel)"},
        {[&] { qt_test::pressKey(dialog.newName, Qt::Key_Escape); }, "(cancel)"},
        {[&] { dialog.cancelAllButton->click(); }, "(cancel all)"},
        {[&] { dialog.close(); }, "/music/SONG.MID"},  // no handler: the proposal stays
    };
    for (const auto& [answer, expected] : answers) {
        texts.renameTo = texts.renameFrom;
        whenShown(dialog, [&] {
            dialog.newName->setText(QStringLiteral("typed"));
            answer();
        });
        dialog.askNewName(texts);
        EXPECT_EQ(texts.renameTo, expected);
    }
}

TEST_F(RenameDialogTest, APathNotInUtf8ShowsReadablyAndNamesTheSameFileWhenAccepted)
{
    texts.renameFrom = "/m\xFCsik/caf\xE9.mid";
    texts.renameTo = texts.renameFrom;
    QString shown;
    whenShown(dialog, [&] {
        shown = dialog.newName->text();
        dialog.okButton->click();
    });
    dialog.askNewName(texts);

    EXPECT_EQ(shown, QStringLiteral("/müsik/café.mid"));
    EXPECT_EQ(texts.renameTo, texts.renameFrom);
}

// The directory chooser answered by script; the progress dialog the program shows, here
// from the first step of a copy on (the program waits half a second).
struct ChooserAndRealProgress final : FileManagerDialogs {
    explicit ChooserAndRealProgress(std::string directory) : directory(std::move(directory)) {}
    void showDirectoryChooser(FileManagerTexts& texts) override { texts.directoryChosen(directory); }
    void showRenameDialog(FileManagerTexts&) override {}
    TransferProgress& transferProgress() override { return progress; }

    std::string directory;
    QWidget owner;
    TransferProgressDialog progress{&owner, std::chrono::milliseconds(0)};
};

TEST(TransferProgressDialog, ACopyStillRunningShowsTheFileAndCancelLeavesNoPartialFile)
{
    TempDir list;
    TempDir target;
    list.write("big.avi", std::string(64u << 20, 'v'));
    target.write("big.avi", "the old clip");
    FakeFileManagerWindow window(list.path().string());
    ChooserAndRealProgress dialogs(target.path().string());
    Settings settings;
    FileManagerViews views{&window, &window, &dialogs};
    FileCommands commands(settings, views, [] {});
    QString label;
    QTimer::singleShot(0, [&] {
        QProgressDialog* shown = dialogs.progress.dialog();
        ASSERT_TRUE(shown && shown->isVisible());
        label = shown->labelText();
        shown->findChild<QPushButton*>()->click();
    });

    commands.CopyFiles(true);

    EXPECT_EQ(label, QStringLiteral("Copying big.avi"));
    EXPECT_EQ(target.read("big.avi"), "the old clip");
    EXPECT_EQ(std::distance(fs::directory_iterator(target.path()), fs::directory_iterator()), 1);
    EXPECT_EQ(window.lastInfo(), "Not copied (cancelled): big.avi.");
    EXPECT_EQ(dialogs.progress.dialog(), nullptr);
}

}  // namespace
