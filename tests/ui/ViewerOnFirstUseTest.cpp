// The session's viewer window made by the first text or picture the queue shows, then kept.
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include "core/playback/ViewerOnFirstUse.h"
#include "support/MainWindowFixture.h"
#include "ui/viewer/ViewerWindow.h"

namespace {

class ViewerOnFirstUseTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        start();
        standIn = std::make_unique<ViewerOnFirstUse>([this]() -> Viewer& {
            ++made;
            viewer = std::make_unique<ViewerWindow>(*session, dispatcher, *mainWindow, *toolbar);
            toolbar->attachViewer(viewer.get());
            return *viewer;
        });
        session->attachViewer(standIn.get());
    }
    void TearDown() override
    {
        viewer.reset();
        session->attachViewer(nullptr);
    }

    std::unique_ptr<ViewerOnFirstUse> standIn;
    std::unique_ptr<ViewerWindow> viewer;
    int made = 0;
};

TEST_F(ViewerOnFirstUseTest, TheFirstTextMakesTheViewerWhichThenShowsEveryRowAndStays)
{
    backend->addMedia("/music/w.wav", {5000});
    session->queueEditing().AddFiles({"/music/w.wav"}, false);
    dispatcher.ExecuteCommand(Command::Play);
    session->monitor().tick();
    dispatcher.ExecuteCommand(Command::Stop);
    EXPECT_EQ(made, 0) << "music, ticks and Stop need no viewer";

    home.write("notes.txt", "notes\r\n");
    home.write("more.txt", "more\r\n");
    session->queueEditing().AddFiles({home.file("notes.txt"), home.file("more.txt")}, false);
    dispatcher.ExecuteCommand(Command::Play);
    ASSERT_EQ(made, 1);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->plainTextView->toPlainText(), QStringLiteral("notes\n"));

    qt_test::pressKey(viewer.get(), Qt::Key_Escape);  // closing the engaged viewer sends Next
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->plainTextView->toPlainText(), QStringLiteral("more\n"));
    dispatcher.ExecuteCommand(Command::Stop);
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_EQ(made, 1) << "made once, then kept";
}

}  // namespace
