// The viewer window with the main window and the engine on a scripted player.
#include <QKeyEvent>
#include <QTextBlock>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWindow>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "support/MainWindowFixture.h"
#include "ui/viewer/DocumentView.h"
#include "ui/viewer/ViewerWindow.h"
#include "core/base/SonorailError.h"

namespace {

class ViewerTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        form = &start();
        viewer = std::make_unique<ViewerWindow>(*session, dispatcher, *form, *toolbar);
    }
    void TearDown() override { viewer.reset(); }

    std::string write(const std::string& name, const std::string& bytes)
    {
        home.write(name, bytes);
        return home.file(name);
    }

    void pressEscape() { qt_test::pressKey(viewer.get(), Qt::Key_Escape); }

    MainWindow* form = nullptr;
    std::unique_ptr<ViewerWindow> viewer;
};

TEST_F(ViewerTest, DocumentsShowAsTextAndPicturesReplaceThem)
{
    const std::string notes = write("notes.txt", "caf\xc3\xa9 au lait\r\n");
    const std::string old = write("old.txt", "na\xefve");  // not UTF-8: Windows-1252
    session->queueEditing().AddFiles({notes, old}, false);
    dispatcher.ExecuteCommand(Command::Play);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle().toStdString(), "Current item:  " + notes);
    EXPECT_TRUE(viewer->plainTextView->isReadOnly());
    EXPECT_EQ(viewer->plainTextView->toPlainText(), QString::fromUtf8("caf\xc3\xa9 au lait\n"));
    // Frame to frame over the main window below its menu and the docked toolbar's strip, not
    // resizable, a tool window of the main window (kept above it).
    const QRect mainFrame = form->frameGeometry();
    const ToolbarDock& dock = session->toolbarDock();
    ASSERT_TRUE(dock.docked);
    const int top = mainFrame.top() + dock.captionMenuHeight + toolbar->height();
    EXPECT_EQ(viewer->frameGeometry(), QRect(mainFrame.left(), top, mainFrame.width(), mainFrame.bottom() + 1 - top));
    EXPECT_EQ(viewer->minimumSize(), viewer->maximumSize());
    EXPECT_EQ(viewer->windowType(), Qt::Tool);
    EXPECT_EQ(viewer->windowHandle()->transientParent(), form->windowHandle());

    pressEscape();  // the viewer was shown from hidden: closing it sends Next
    EXPECT_TRUE(viewer->isVisible()) << "the next text row opens a freshly shown viewer";
    EXPECT_EQ(viewer->plainTextView->toPlainText(), QString::fromUtf8("na\xc3\xafve"));
    EXPECT_TRUE(session->playQueue().empty());

    pressEscape();  // the last row was a text: Next finds the queue empty and stops
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_EQ(session->playback().playState, PlayState::Stopped);
}

TEST_F(ViewerTest, ViewerLiesUnderTheDockedToolbarsStripAndReachesUpWhenItFloats)
{
    toolbar->attachViewer(viewer.get());
    session->queueEditing().AddFiles({write("notes.txt", "notes")}, false);
    dispatcher.ExecuteCommand(Command::Play);
    ASSERT_TRUE(viewer->isVisible());
    const ToolbarDock& dock = session->toolbarDock();
    const QRect main = form->frameGeometry();
    EXPECT_EQ(viewer->y(), main.top() + dock.captionMenuHeight + toolbar->height());

    session->toolbarDock().toolbarDropped(main.left() + 300, main.top() + 700);  // dragged away
    session->monitor().tick();
    EXPECT_EQ(viewer->y(), main.top() + dock.captionMenuHeight);
    EXPECT_EQ(viewer->frameGeometry().bottom(), form->frameGeometry().bottom()) << "down to the main window's bottom";
}

TEST_F(ViewerTest, AnUnreadableDocumentIsReportedAndStaysQueued)
{
    const std::string missing = home.file("missing.txt");
    session->queueEditing().AddFiles({missing}, false);
    dispatcher.ExecuteCommand(Command::Play);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "File not found.");
    EXPECT_EQ(session->playQueue().count(), 1);
    EXPECT_TRUE(viewer->isVisible());
}

TEST_F(ViewerTest, PicturesShowCentredAndUnscaled)
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    const std::string picture = home.file("red.png");
    ASSERT_TRUE(image.save(QString::fromStdString(picture)));
    session->queueEditing().AddFiles({picture}, false);
    dispatcher.ExecuteCommand(Command::Play);
    EXPECT_TRUE(viewer->pictureView->isVisible());
    EXPECT_FALSE(viewer->richTextView->isVisible());
    EXPECT_FALSE(viewer->plainTextView->isVisible());
    EXPECT_EQ(viewer->pictureView->pixmap().size(), QSize(20, 10));
    EXPECT_EQ(viewer->pictureView->alignment(), Qt::AlignCenter);
}

// The viewer still shows a picture while a later sound row plays, and the user has not
// clicked into it since that row started: closing it only hides it, and the sound goes on.
TEST_F(ViewerTest, ClosingAViewerThatKeptAnOlderItemOnlyHidesIt)
{
    const std::string picture = write("a.bmp", "");
    backend->addMedia("/music/w.wav", {5000});
    backend->addMedia("/music/x.wav", {5000});
    session->queueEditing().AddFiles({picture, "/music/w.wav", "/music/x.wav"}, false);
    dispatcher.ExecuteCommand(Command::Play);
    ASSERT_TRUE(viewer->isVisible());
    dispatcher.ExecuteCommand(Command::Next);  // the wave starts; the viewer keeps the picture
    ASSERT_TRUE(viewer->isVisible());
    ASSERT_EQ(session->playback().activeMedia, ActiveMedia::Wave);
    pressEscape();
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_EQ(session->playback().activeMedia, ActiveMedia::Wave) << "the wave goes on";
    EXPECT_EQ(queueTexts(), (std::vector<std::string>{"/music/x.wav"})) << "closing sent Next";
}

// Showing from hidden engages the viewer: closing it then sends Next, which stops the sound
// of an earlier row and moves on.
TEST_F(ViewerTest, ClosingAViewerJustShownMovesOn)
{
    const std::string picture = write("a.bmp", "");
    backend->addMedia("/music/w.wav", {5000});
    backend->addMedia("/music/x.wav", {5000});
    session->queueEditing().AddFiles({"/music/w.wav", picture, "/music/x.wav"}, false);
    dispatcher.ExecuteCommand(Command::Play);  // the wave plays, the picture shows beside it
    ASSERT_TRUE(viewer->isVisible());
    pressEscape();
    EXPECT_TRUE(session->playQueue().empty());
    EXPECT_EQ(session->playback().currentItem, "/music/x.wav");
}

// Every monitor tick keeps the viewer on the main window's left and top edges.
TEST_F(ViewerTest, TheViewerFollowsTheMainWindow)
{
    const std::string notes = write("notes.txt", "notes\r\n");
    session->queueEditing().AddFiles({notes}, false);
    dispatcher.ExecuteCommand(Command::Play);
    const int below = session->toolbarDock().captionMenuHeight + toolbar->height();
    form->move(form->pos() + QPoint(40, 25));
    const QPoint wanted(form->frameGeometry().topLeft() + QPoint(0, below));
    EXPECT_TRUE(
        qt_test::waitUntil([&] { return viewer->frameGeometry().topLeft() == wanted; }, std::chrono::seconds(5)))
        << "the viewer stayed at " << viewer->x() << "," << viewer->y();
    EXPECT_EQ(viewer->frameGeometry().size(),
              QSize(form->frameGeometry().width(), form->frameGeometry().bottom() + 1 - wanted.y()))
        << "following moves the viewer, it does not resize it";
}

// An error met in a monitor tick is shown once the tick is over: the ticks go on while the
// box is open, so the queue moves on behind it, and the failure gets one box, not one a tick.
TEST_F(ViewerTest, AnErrorBoxFromATickDoesNotStopTheQueue)
{
    const std::string first = home.file("first.wav"), second = home.file("second.wav");
    backend->addMedia(first, {1000});
    backend->addMedia(second, {1000});
    session->queueEditing().AddFiles({first, second, home.file("d.txt")}, false);
    dispatcher.ExecuteCommand(Command::Play);
    bool movedOn = false;
    dialogs.whileShown = [&](const ShownDialog&) {
        backend->advance(1000);  // the second wave ends while the box is open
        movedOn = qt_test::waitUntil([&] { return session->playback().activeMedia == ActiveMedia::None; },
                                     std::chrono::seconds(3));
        qt_test::runEventsFor(std::chrono::milliseconds(600));  // three more ticks
    };
    backend->advance(1000);  // the first ends: the next tick starts the second, whose look-ahead fails
    ASSERT_TRUE(qt_test::waitUntil([&] { return !dialogs.shown.empty(); }));
    EXPECT_EQ(dialogs.shown[0].text, "File not found.");
    EXPECT_TRUE(movedOn) << "the ticks stopped while the box was open";
    qt_test::runEventsFor(std::chrono::milliseconds(600));
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

// A document past the cap shows its first 16 MiB and then a line that says it was shortened
// and how much of it shows, instead of stopping in mid-sentence without a word.
TEST_F(ViewerTest, AnOverlongDocumentSaysItWasShortened)
{
    const std::size_t cap = ViewerWindow::kLargestDocument;
    const std::string line = "A line of the document, caf\xc3\xa9, that goes on and on.\r\n";
    // Padded so that the cap falls inside a two-byte character.
    std::string text((cap - 1 - line.find('\xc3')) % line.size(), 'x');
    text.reserve(cap + 4096);
    while (text.size() < cap + 2048)
        text += line;
    ASSERT_EQ(text.substr(cap - 1, 2), "\xc3\xa9");
    const std::string path = write("long.txt", text);
    viewer->showDocument(path, "Current item:  long.txt", QRect(0, 0, 300, 200));
    ASSERT_TRUE(qt_test::waitUntil([&] { return !DocumentView::filling(*viewer->plainTextView); }));
    const QTextDocument& shown = *viewer->plainTextView->document();
    EXPECT_EQ(shown.lastBlock().text().toStdString(),
              "[Shortened: only the first 16777216 bytes (16 MiB) of this document's " + std::to_string(text.size()) +
                  " bytes are shown.]");
    EXPECT_TRUE(shown.lastBlock().previous().text().endsWith(QStringLiteral(" caf")));
    EXPECT_EQ(shown.findBlockByNumber(1).text().toStdString(),
              "A line of the document, caf\xc3\xa9, that goes on and on.")
        << "a character cut in two at the cap does not turn the whole text into another encoding";
}

bool firstWordIsBold(const QTextEdit& memo)
{
    const QTextBlock block = memo.document()->begin();
    return block.isValid() && block.begin() != block.end() &&
           block.begin().fragment().charFormat().fontWeight() >= QFont::Bold;
}

TEST_F(ViewerTest, RichTextShowsFormattedWhateverTheFileIsCalled)
{
    const std::string rtf = write("letter.rtf", "{\\rtf1\\ansi {\\b Dear} reader,\\par bye}");
    const std::string txt = write("readme.txt", "{\\rtf1 {\\b Bold} in a text file}");
    const std::string plain = write("plain.rtf", "just words\r\n{\\b no}");
    session->queueEditing().AddFiles({rtf, txt, plain}, false);
    dispatcher.ExecuteCommand(Command::Play);
    EXPECT_EQ(viewer->richTextView->toPlainText(), "Dear reader,\nbye");
    EXPECT_TRUE(firstWordIsBold(*viewer->richTextView));
    EXPECT_TRUE(viewer->richTextView->isReadOnly());

    pressEscape();
    EXPECT_EQ(viewer->richTextView->toPlainText(), "Bold in a text file");
    EXPECT_TRUE(firstWordIsBold(*viewer->richTextView));

    pressEscape();
    EXPECT_EQ(viewer->plainTextView->toPlainText(), "just words\n{\\b no}");
    EXPECT_TRUE(viewer->plainTextView->isVisible());
    EXPECT_FALSE(viewer->richTextView->isVisible());
}

// Laying out a line costs the square of its length where it cannot wrap: a long line shows
// as paragraphs of at most a screenful, every character of it, in plain and in rich text.
TEST_F(ViewerTest, LongLinesShowWholeInParagraphsOfBoundedLength)
{
    const QString unbroken(100'000, QLatin1Char('x'));
    QString words;
    while (words.size() < 50'000)
        words += QStringLiteral("word ");
    const QString nuls(20'000, QChar(0));
    const std::string text = (unbroken + "\r\n" + words + "\n" + nuls + "\nlast").toStdString();
    viewer->showDocument(write("long.txt", text), "long.txt", QRect(0, 0, 300, 200));
    ASSERT_TRUE(qt_test::waitUntil([&] { return !DocumentView::filling(*viewer->plainTextView); }));
    QString shown;
    int paragraphs = 0;
    for (QTextBlock block = viewer->plainTextView->document()->begin(); block.isValid();
         block = block.next(), ++paragraphs) {
        EXPECT_LE(block.text().size(), DocumentView::kLongestParagraph);
        shown += block.text();
        if (block.text().contains(QStringLiteral("word")) && block.next().text().contains(QStringLiteral("word"))) {
            EXPECT_TRUE(block.text().endsWith(QStringLiteral("word "))) << "broken after a word";
        }
    }
    EXPECT_EQ(shown, unbroken + words + nuls + "last");
    EXPECT_GT(paragraphs, 30);

    const std::string rtf = "{\\rtf1\\ansi {\\b bold} " + unbroken.toStdString() + "\\par after}";
    viewer->showDocument(write("long.rtf", rtf), "long.rtf", QRect(0, 0, 300, 200));
    shown.clear();
    for (QTextBlock block = viewer->richTextView->document()->begin(); block.isValid(); block = block.next()) {
        EXPECT_LE(block.text().size(), DocumentView::kLongestParagraph);
        shown += block.text();
    }
    EXPECT_EQ(shown, "bold " + unbroken + "after");
    EXPECT_TRUE(firstWordIsBold(*viewer->richTextView));
}

TEST_F(ViewerTest, EveryPictureKindShowsAtItsOwnSize)
{
    const std::string pictures = SONORAIL_TEST_DATA "/pictures/";
    const std::pair<const char*, QSize> samples[] = {
        {"sample.bmp", {13, 7}}, {"sample.ico", {32, 32}}, {"sample.wmf", {96, 64}},
        {"sample.png", {13, 7}}, {"sample.jpg", {40, 30}}, {"sample.pcx", {13, 7}},
    };
    std::vector<std::string> files;
    for (const auto& [name, size] : samples)
        files.push_back(pictures + name);
    session->queueEditing().AddFiles(files, false);
    dispatcher.ExecuteCommand(Command::Play);
    for (const auto& [name, size] : samples) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(viewer->pictureView->isVisible());
        EXPECT_FALSE(viewer->richTextView->isVisible());
        EXPECT_FALSE(viewer->plainTextView->isVisible());
        EXPECT_EQ(viewer->pictureView->pixmap().size() / viewer->pictureView->pixmap().devicePixelRatio(), size);
        pressEscape();
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ViewerTest, BadPicturesShowNothingAndSayNothing)
{
    const std::string empty = write("empty.bmp", "");
    const std::string garbage = write("garbage.png", "\x89PNG\r\n\x1a\n but nothing after");
    std::filesystem::create_directory(home.file("folder.jpg"));
    ASSERT_EQ(mkfifo(home.file("pipe.pcx").c_str(), 0600), 0);
    std::filesystem::create_symlink("/proc/self/mem", home.file("unreadable.wmf"));
    const std::vector<std::string> bad = {empty, garbage, home.file("folder.jpg"), home.file("pipe.pcx"),
                                          home.file("unreadable.wmf")};
    session->queueEditing().AddFiles(bad, false);
    dispatcher.ExecuteCommand(Command::Play);
    for (const std::string& file : bad) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_TRUE(viewer->pictureView->pixmap().isNull());
        pressEscape();
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ViewerTest, DocumentsThatAreNotReadableFilesRaiseTheirError)
{
    std::filesystem::create_directory(home.file("folder.rtf"));
    ASSERT_EQ(mkfifo(home.file("pipe.txt").c_str(), 0600), 0);                       // must not wait for a writer
    std::filesystem::create_symlink("/proc/self/mem", home.file("unreadable.txt"));  // reading fails
    const std::pair<const char*, const char*> cases[] = {
        {"folder.rtf", "File access denied"}, {"pipe.txt", "File access denied"}, {"unreadable.txt", "I/O error 5"}};
    for (const auto& [name, error] : cases) {
        SCOPED_TRACE(name);
        try {
            viewer->showDocument(home.file(name), "Current item:  x", QRect(0, 0, 300, 200));
            ADD_FAILURE() << "no error";
        } catch (const SonorailError& raised) {
            EXPECT_STREQ(raised.what(), error);
        }
        EXPECT_TRUE(viewer->isVisible());
    }
}

}  // namespace
