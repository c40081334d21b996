// The viewer window with the main window and the engine on a scripted player.
#include <QKeyEvent>
#include <QLabel>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "Txtgfxvs/Ttxtgfxform.h"

namespace {

class ViewerTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        form = &start();
        viewer = std::make_unique<Ttxtgfxform>(form);
        form->attachViewer(viewer.get());
    }
    void TearDown() override { viewer.reset(); }

    std::string write(const std::string& name, const std::string& bytes)
    {
        home.write(name, bytes);
        return home.file(name);
    }

    void pressEscape()
    {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(viewer.get(), &escape);
    }

    Tform1* form = nullptr;
    std::unique_ptr<Ttxtgfxform> viewer;
};

TEST_F(ViewerTest, DocumentsShowAsTextAndPicturesReplaceThem)
{
    const std::string notes = write("notes.txt", "caf\xc3\xa9 au lait\r\n");
    const std::string old = write("old.txt", "na\xefve");  // not UTF-8: Windows-1252
    form->queueEditing().AddFiles({notes, old}, false);
    dispatcher.ExecuteCommand(20);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle().toStdString(), "Current item:  " + notes);
    EXPECT_TRUE(viewer->memo1->isReadOnly());
    EXPECT_EQ(viewer->memo1->toPlainText(), QString::fromUtf8("caf\xc3\xa9 au lait\n"));
    EXPECT_EQ(viewer->geometry().width(), form->frameGeometry().width());

    pressEscape();  // the viewer was shown from hidden: closing it sends Next
    EXPECT_TRUE(viewer->isVisible()) << "the next text row opens a freshly shown viewer";
    EXPECT_EQ(viewer->memo1->toPlainText(), QString::fromUtf8("na\xc3\xafve"));
    EXPECT_TRUE(form->playQueue().empty());

    pressEscape();  // the last row was a text: Next finds the queue empty and stops
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_EQ(form->playback().playState, psStopped);
}

TEST_F(ViewerTest, AnUnreadableDocumentIsReportedAndStaysQueued)
{
    const std::string missing = home.file("missing.txt");
    form->queueEditing().AddFiles({missing}, false);
    dispatcher.ExecuteCommand(20);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "File not found.");
    EXPECT_EQ(form->playQueue().count(), 1);
    EXPECT_TRUE(viewer->isVisible());
}

TEST_F(ViewerTest, PicturesShowCentredAndUnscaled)
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    const std::string picture = home.file("red.png");
    ASSERT_TRUE(image.save(QString::fromStdString(picture)));
    form->queueEditing().AddFiles({picture}, false);
    dispatcher.ExecuteCommand(20);
    EXPECT_TRUE(viewer->PMultiImage1->isVisible());
    EXPECT_FALSE(viewer->memo1->isVisible());
    EXPECT_EQ(viewer->PMultiImage1->pixmap().size(), QSize(20, 10));
    EXPECT_EQ(viewer->PMultiImage1->alignment(), Qt::AlignCenter);
}

TEST_F(ViewerTest, ClosingAViewerThatKeptAnOlderItemOnlyHidesIt)
{
    const std::string picture = write("a.bmp", "");
    form->queueEditing().AddFiles({picture}, false);
    dispatcher.ExecuteCommand(20);
    form->playback().ViewerEngaged = false;  // a later step cleared it; the user has not clicked in since
    form->playback().playState = psStopped;
    pressEscape();
    EXPECT_FALSE(viewer->isVisible());
}

}  // namespace
