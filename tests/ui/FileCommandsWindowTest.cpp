// The file-manager commands from the main window: its menus, its lists, the directory
// chooser and the rename dialog as the program makes them, the information line.
#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <filesystem>
#include <sys/time.h>

#include "core/cd/CdDatabase.h"
#include "core/files/DirectoryListing.h"
#include "core/files/FileMask.h"
#include "support/MainWindowFixture.h"
#include "ui/files/DirectoryChooser.h"
#include "ui/files/FileBrowser.h"
#include "ui/files/FileCommandDialogs.h"
#include "ui/files/RenameDialog.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

class FileCommandsWindowTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        for (const char* name : {"a.mid", "b.wav", "c.txt"})
            files.write(name, name);
        start();
        FileBrowserSources sources;
        sources.startDirectory = [this] { return target.path().string(); };
        sources.watchMountTable = false;
        chooser = std::make_unique<DirectoryChooser>(std::move(sources));
        fileDialogs = std::make_unique<FileCommandDialogs>(
            *session, [this]() -> DirectoryChooser& { return *chooser; }, rename, mainWindow.get());
        mainWindow->fileBrowser().setDirectory(files.path().string());
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    void select(const Names& names)
    {
        const FileBrowser& browser = mainWindow->fileBrowser();
        QItemSelectionModel* selection = findControl<QListView>(*mainWindow, "FileListBox1")->selectionModel();
        for (int row = 0; row < browser.rowCount(); ++row)
            for (const std::string& name : names)
                if (browser.name(row) == name) {
                    const QModelIndex index =
                        findControl<QListView>(*mainWindow, "FileListBox1")->model()->index(row, 0);
                    selection->setCurrentIndex(index, QItemSelectionModel::Select);
                }
    }

    // Clicks the file-manager pop-up's item with this caption.
    void popup(const QString& caption)
    {
        for (QAction* action : findControl<QMenu>(*mainWindow, "FileManagerPopUp")->actions())
            if (action->text().remove(QLatin1Char('&')) == caption)
                return action->trigger();
        FAIL() << caption.toStdString();
    }

    // Runs user's actions once the modal dialog shows (it is shown by the call that follows).
    static void whenShown(QDialog& dialog, std::function<void()> user)
    {
        QTimer::singleShot(0, &dialog, [&dialog, user = std::move(user)] {
            ASSERT_TRUE(qt_test::waitUntil([&] { return dialog.isVisible(); }));
            user();
        });
    }

    Names listed() const { return mainWindow->fileBrowser().allNames(); }

    TempDir files;
    TempDir target;
    std::unique_ptr<DirectoryChooser> chooser;
    RenameDialog rename;
    std::unique_ptr<FileCommandDialogs> fileDialogs;
};

TEST_F(FileCommandsWindowTest, DeleteFromThePopUpAsksWithTheRowAndTheListFollows)
{
    select({"b.wav"});
    dialogs.answers = {DialogAnswer::Yes};

    popup(QStringLiteral("File Delete"));

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Delete file b.wav?");
    EXPECT_EQ(listed(), (Names{"a.mid", "c.txt"}));
    EXPECT_FALSE(fs::exists(files.path() / "b.wav"));
}

TEST_F(FileCommandsWindowTest, CopyAndMoveGoWhereTheChooserIsLeftAndNeverOntoThemselves)
{
    select({"a.mid", "c.txt"});
    QString caption;
    whenShown(*chooser, [&] {
        caption = chooser->windowTitle();
        chooser->okButton->click();
    });
    popup(QStringLiteral("File Copy..."));
    EXPECT_EQ(caption, QStringLiteral("Select where to copy the files."));
    EXPECT_EQ(ListFiles(target.path().string(), FileMask("*")), (Names{"a.mid", "c.txt"}));

    mainWindow->fileBrowser().setDirectory(target.path().string());
    whenShown(*chooser, [&] { chooser->okButton->click(); });  // the list's own directory
    dispatcher.ExecuteCommand(Command::MoveAllFiles);
    EXPECT_EQ(findControl<QLabel>(*mainWindow, "infobar")->text(),
              QStringLiteral("2 files were not moved onto themselves."));
    EXPECT_EQ(target.read("a.mid"), "a.mid");

    mainWindow->fileBrowser().setDirectory(files.path().string());
    whenShown(*chooser, [&] { chooser->okButton->click(); });
    dispatcher.ExecuteCommand(Command::MoveAllFiles);
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(target.read("b.wav"), "b.wav");
}

TEST_F(FileCommandsWindowTest, RenameShowsThePathAndKeepsTheExtensionOfANameTypedWithoutOne)
{
    select({"b.wav"});
    QString from;
    whenShown(rename, [&] {
        from = rename.oldName->toolTip();
        rename.newName->setText(QStringLiteral("loop"));
        rename.okButton->click();
    });

    dispatcher.ExecuteCommand(Command::RenameFile);

    EXPECT_EQ(from.toStdString(), files.file("b.wav"));
    EXPECT_EQ(listed(), (Names{"a.mid", "c.txt", "loop.wav"}));
}

TEST_F(FileCommandsWindowTest, TheInformationLineFollowsTheLocaleAndAVanishedFileIsSaidInTheBar)
{
    files.write("big.avi", std::string(1234567, 'x'));
    std::tm written{};
    written.tm_year = 2024 - 1900, written.tm_mon = 2, written.tm_mday = 9, written.tm_isdst = -1;
    const timeval times[2] = {{std::mktime(&written), 0}, {std::mktime(&written), 0}};
    ::utimes(files.file("big.avi").c_str(), times);
    mainWindow->fileBrowser().refresh();
    select({"big.avi"});

    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    dispatcher.ExecuteCommand(Command::FileInfo);
    EXPECT_EQ(findControl<QLabel>(*mainWindow, "lblFileInfo")->text(),
              QStringLiteral("big.avi:  1,234,567 bytes.  3/9/24"));
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    dispatcher.ExecuteCommand(Command::FileInfo);
    EXPECT_EQ(findControl<QLabel>(*mainWindow, "lblFileInfo")->text(),
              QStringLiteral("big.avi:  1.234.567 bytes.  09.03.24"));

    fs::remove(files.path() / "big.avi");
    dispatcher.ExecuteCommand(Command::FileInfo);
    EXPECT_EQ(findControl<QLabel>(*mainWindow, "infobar")->text(),
              QStringLiteral("Can not read big.avi: File not found."));
    EXPECT_EQ(findControl<QLabel>(*mainWindow, "lblFileInfo")->text(),
              QStringLiteral("big.avi:  1.234.567 bytes.  09.03.24"));
}

TEST_F(FileCommandsWindowTest, ACdTrackRenamedToFortyFiveCharactersKeepsFortyInTheListAndTheDatabase)
{
    backend->insertDisc({226000, 4'500'000});  // 3:46 and 75:00; identifier 4,726,002
    dispatcher.ExecuteCommand(Command::UpdateCdInfo);
    findControl<QTabBar>(*mainWindow, "TabSet1")->setCurrentIndex(1);
    findControl<QListWidget>(*mainWindow, "cdlistbox")->setCurrentRow(1);
    const QString name45 = QStringLiteral("A very long track name of forty-five letters.");
    QString note;
    whenShown(rename, [&] {
        note = rename.noteLabel->text();
        rename.newName->setText(name45);
        rename.okButton->click();
    });

    dispatcher.ExecuteCommand(Command::RenameFile);

    const std::string entry = "02:" + name45.left(40).toStdString() + ".cdt";
    EXPECT_EQ(note, QStringLiteral("Track #2"));
    EXPECT_EQ(findControl<QListWidget>(*mainWindow, "cdlistbox")->item(1)->text().toStdString(), entry);
    const std::optional<CdRecord> stored = CdDatabase(home.file("cddat.dat")).find(4'726'002).record;
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->trackSlots[1], entry);

    dispatcher.ExecuteCommand(Command::FileInfo);
    EXPECT_EQ(findControl<QLabel>(*mainWindow, "lblFileInfo")->text().toStdString(),
              "Track:2 - " + entry.substr(3) + ", length: 75:00");
}

}  // namespace
