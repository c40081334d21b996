// The play queue in the main window: adding from the browser, drops, the hands, and
// files handed over while a dialog is open.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

#include "app/FileHandOver.h"
#include "support/MainWindowFixture.h"
#include "ui/files/FileBrowser.h"

namespace {

class QueueWindowTest : public MainWindowFixture {
protected:
    // The browser shows a fresh directory with a few media files and one of no known kind.
    void browseMedia()
    {
        media = home.path() / "media";
        std::filesystem::create_directory(media);
        for (const char* name : {"a.mid", "b.wav", "c.txt", "d.png", "e.doc"})
            home.write(std::string("media/") + name, "");
        form->fileBrowser().setDirectory(media.string());
        ASSERT_EQ(form->fileBrowser().rowCount(), 4);
    }

    void selectFiles(std::initializer_list<int> rows)
    {
        for (int row : rows)
            fileList()->selectionModel()->select(fileList()->model()->index(row, 0), QItemSelectionModel::Select);
    }

    // A double click as the mouse makes it, at a point of the list's viewport.
    static void doubleClick(QAbstractItemView* list, QPoint at, Qt::KeyboardModifiers held = Qt::NoModifier)
    {
        QWidget* surface = list->viewport();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, QPointF(at), surface->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons, held);
            QApplication::sendEvent(surface, &event);
        }
    }

    void drop(const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QDropEvent event(QPointF(300, 250), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        // Straight to the window's handler: the application only routes drops of a drag
        // in progress, which an offscreen test has none of.
        static_cast<QObject*>(form)->event(&event);
    }

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        form = &start();
    }

    QListView* fileList() const { return findControl<QListView>(*form, "FileListBox1"); }
    QListView* queueList() const { return findControl<QListView>(*form, "queue"); }
    QListWidget* trackList() const { return findControl<QListWidget>(*form, "cdlistbox"); }

    MainWindow* form = nullptr;
    std::filesystem::path media;
};

TEST_F(QueueWindowTest, ButtonsKeysAndDoubleClickAddFromTheFileList)
{
    browseMedia();
    selectFiles({1, 3});
    findControl<QPushButton>(*form, "btnAdd")->click();
    const std::string dir = media.string() + "/";
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{dir + "b.wav", dir + "d.png"}));

    qt_test::pressKey(fileList(), Qt::Key_Return);
    EXPECT_EQ(session->playQueue().count(), 4) << "Enter adds the selection once";

    // A control-double-click adds the row to the selection: the selected rows are added.
    doubleClick(fileList(), fileList()->visualRect(fileList()->model()->index(0, 0)).center(), Qt::ControlModifier);
    EXPECT_EQ(session->playQueue().count(), 7) << "a double click adds the selected rows";

    findControl<QCheckBox>(*form, "chkAddtoTop")->setChecked(true);
    findControl<QPushButton>(*form, "btnaddall")->click();
    EXPECT_EQ(queueTexts().front(), dir + "a.mid");
    EXPECT_EQ(session->playQueue().count(), 11) << "the file of no known kind is not listed";
    EXPECT_EQ(findControl<QListView>(*form, "queuefilename")->model()->index(0, 0).data().toString(), "a.mid");
}

TEST_F(QueueWindowTest, CommandsRemoveAndMoveTheSelectionOfTheVisibleList)
{
    browseMedia();
    findControl<QPushButton>(*form, "btnaddall")->click();
    queueList()->selectionModel()->select(queueList()->model()->index(3, 0), QItemSelectionModel::Select);
    findControl<QToolButton>(*form, "btnUp")->click();
    const std::string dir = media.string() + "/";
    EXPECT_EQ(queueTexts()[2], dir + "d.png");
    EXPECT_TRUE(queueList()->selectionModel()->isRowSelected(2, QModelIndex()));
    EXPECT_FALSE(queueList()->selectionModel()->isRowSelected(3, QModelIndex()));

    dialogs.answers = {DialogAnswer::Yes};
    qt_test::pressKey(queueList(), Qt::Key_Delete);
    EXPECT_EQ(session->playQueue().count(), 3);
    EXPECT_EQ(dialogs.shown.size(), 1u);

    findControl<QPushButton>(*form, "btnRemoveAll")->click();  // answered No by the script
    EXPECT_EQ(session->playQueue().count(), 3);
}

TEST_F(QueueWindowTest, DropsArriveInOrderAtTheTopOrBottomUnlessRefused)
{
    session->queueEditing().AddFiles({"/x/old.mid"}, false);
    findControl<QCheckBox>(*form, "chkAddtoTop")->setChecked(true);
    drop({QUrl::fromLocalFile("/Music/One.MID"), QUrl("https://example.invalid/two.wav"),
          QUrl::fromLocalFile("/Music/Three.wav"), QUrl("file:///Music/caf%E9%20%231.wav")});
    EXPECT_EQ(queueTexts(),
              (std::vector<std::string>{"/Music/One.MID", "/Music/Three.wav", "/Music/caf\xe9 #1.wav", "/x/old.mid"}))
        << "a name that is not UTF-8 keeps its bytes";

    session->settings().optDragDrop = false;
    form->applySettings();
    EXPECT_FALSE(form->acceptDrops());
    drop({QUrl::fromLocalFile("/Music/Four.mid")});
    EXPECT_EQ(session->playQueue().count(), 4);
}

// A press in either queue list puts both hands at the height of the pressed row: their top
// lies within that row's band of the window.
TEST_F(QueueWindowTest, HandsStandBesideThePressedRow)
{
    session->queueEditing().AddFiles({"/a.mid", "/b.mid", "/c.mid"}, false);
    for (int tab : {0, 1}) {
        SCOPED_TRACE(tab == 0 ? "View Path" : "Hide Path");
        findControl<QTabBar>(*form, "TabSet2")->setCurrentIndex(tab);
        QListView* list = tab == 0 ? queueList() : findControl<QListView>(*form, "queuefilename");
        list->doItemsLayout();
        const QRect row = list->visualRect(list->model()->index(2 - tab, 0));
        ASSERT_TRUE(row.isValid());
        QWidget* viewport = list->viewport();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(row.center()), viewport->mapToGlobal(QPointF(row.center())),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        QWidget* client = form->centralWidget();
        const int rowTop = viewport->mapTo(client, row.topLeft()).y();
        const int rowBottom = viewport->mapTo(client, row.bottomLeft()).y();
        for (QToolButton* hand :
             {findControl<QToolButton>(*form, "btnUp"), findControl<QToolButton>(*form, "btnDown")}) {
            EXPECT_GE(hand->y(), rowTop);
            EXPECT_LE(hand->y(), rowBottom);
        }
    }
}

// The box is the session's setting: files handed over by other programs follow it too.
TEST_F(QueueWindowTest, HandedOverFilesFollowTheAddToTopBox)
{
    FileHandOver handOver(session->queueEditing());
    handOver.handOverFiles({"/old.mid"});
    findControl<QCheckBox>(*form, "chkAddtoTop")->click();
    EXPECT_TRUE(session->queueEditing().addsToTop());
    handOver.handOverFiles({"/top.mid"});
    findControl<QCheckBox>(*form, "chkAddtoTop")->click();
    handOver.handOverFiles({"/bottom.mid"});
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{"/top.mid", "/old.mid", "/bottom.mid"}));
}

TEST_F(QueueWindowTest, HandedOverFilesWaitForAnOpenDialog)
{
    FileHandOver handOver(session->queueEditing());
    QDialog dialog(form);
    bool queuedWhileOpen = true;
    QTimer::singleShot(0, [&] {
        handOver.handOverFiles({"/later.mid"});
        queuedWhileOpen = session->playQueue().count() != 0;
        QTimer::singleShot(400, &dialog, &QDialog::accept);
    });
    dialog.exec();
    EXPECT_FALSE(queuedWhileOpen);
    for (int waited = 0; waited < 5000 && session->playQueue().empty(); waited += 50)
        qt_test::runEventsFor(std::chrono::milliseconds(50));
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{"/later.mid"}));
}

// The window's drop rule holds over every control on it: a file dropped on a text field
// joins the queue instead of being typed into the field, and with drops off the field
// refuses the drag as the window does.
TEST_F(QueueWindowTest, FilesDroppedOnTextFieldsJoinTheQueue)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/music/song.mid")});
    data.setText(QStringLiteral("file:///music/song.mid"));
    auto dragOnto = [&](QWidget* field) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &drop);
        return true;
    };
    const QString misc = findControl<QPlainTextEdit>(*form, "cdmisc")->toPlainText(),
                  author = findControl<QLineEdit>(*form, "cdauthor")->text();
    EXPECT_TRUE(dragOnto(findControl<QLineEdit>(*form, "introsec")));
    EXPECT_TRUE(dragOnto(findControl<QPlainTextEdit>(*form, "cdmisc")->viewport()));
    EXPECT_EQ(findControl<QLineEdit>(*form, "introsec")->text().toStdString(), "5");
    EXPECT_EQ(findControl<QPlainTextEdit>(*form, "cdmisc")->toPlainText(), misc);
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{"/music/song.mid", "/music/song.mid"}));

    session->settings().optDragDrop = false;
    form->applySettings();
    EXPECT_FALSE(dragOnto(findControl<QLineEdit>(*form, "cdauthor")));
    EXPECT_EQ(findControl<QLineEdit>(*form, "cdauthor")->text(), author);
    EXPECT_EQ(session->playQueue().count(), 2);
}

// The queue list scrolls across a fixed 400 pixels, whichever rows it holds: a long path
// above a short one is not cut off without a scroll bar.
TEST_F(QueueWindowTest, TheQueueScrollsAcrossFourHundredPixels)
{
    session->queueEditing().AddFiles({"/" + std::string(150, 'x') + "/long.mid", "/a.mid"}, false);
    queueList()->doItemsLayout();
    const QScrollBar* across = queueList()->horizontalScrollBar();
    EXPECT_EQ(across->maximum() + across->pageStep(), 400);
}

// A double click below the rows of the file list or the CD list adds the selected rows, as
// a double click on a row does.
TEST_F(QueueWindowTest, ADoubleClickBelowTheRowsAddsTheSelection)
{
    browseMedia();
    selectFiles({1, 3});
    const QPoint belowTheRows(20, fileList()->viewport()->height() - 4);
    ASSERT_FALSE(fileList()->indexAt(belowTheRows).isValid());
    doubleClick(fileList(), belowTheRows);
    const std::string dir = media.string() + "/";
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{dir + "b.wav", dir + "d.png"}));

    findControl<QTabBar>(*form, "TabSet1")->setCurrentIndex(1);
    trackList()->addItems({QStringLiteral("01:Intro.cdt"), QStringLiteral("02:Song.cdt")});
    trackList()->item(1)->setSelected(true);
    doubleClick(trackList(), QPoint(20, trackList()->viewport()->height() - 4));
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{dir + "b.wav", dir + "d.png", "02:Song.cdt"}));
}

}  // namespace
