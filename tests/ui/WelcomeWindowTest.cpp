// The welcome window: its pages and views, the documents and tips, the key sequence, the
// two settings it keeps, its pictures, and every way its files can fail.
#include <QCheckBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "core/base/ProgramPaths.h"
#include "support/ErrorOf.h"
#include "support/QtEvents.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/TempDir.h"
#include "ui/commands/CommandDispatcher.h"
#include "ui/viewer/DocumentFile.h"
#include "ui/viewer/DocumentView.h"
#include "ui/viewer/SharedPalette.h"
#include "ui/welcome/WelcomeWindow.h"

namespace {

namespace fs = std::filesystem;

class WelcomeWindowTest : public ::testing::Test {
protected:
    // The program's own files in a fresh directory; no documents anywhere else, unless a
    // test places the program beside the built one's.
    void SetUp() override
    {
        fs::create_directory(home.path() / "program");
        placeProgram(home.file("program/sonorail"));
    }

    void placeProgram(const std::string& executable)
    {
        ProgramLocation location{executable, home.path().string(), std::nullopt, std::nullopt};
        InstallProgramPaths(ProgramPaths::fromLocation(location));
    }

    // Runs the command that opens the window; act runs while it is shown, then OK closes it
    // (unless act did). Returns whether the window was shown.
    bool whileOpen(
        Command command, const std::function<void()>& act = [] {})
    {
        return whileShownBy([&] { dispatcher.ExecuteCommand(command); }, act);
    }

    // The same for the page start-up opens.
    bool whileOpenAtStartup(
        WelcomePage page, const std::function<void()>& act = [] {})
    {
        return whileShownBy([&] { tips.showPageAtStartup(page); }, act);
    }

    bool whileShownBy(const std::function<void()>& open, const std::function<void()>& act)
    {
        bool shown = false;
        QTimer whenShown;
        whenShown.setSingleShot(true);
        QObject::connect(&whenShown, &QTimer::timeout, &tips, [&] {
            shown = tips.isVisible();
            act();
            if (tips.isVisible())
                tips.okButton->click();
        });
        whenShown.start(0);
        open();
        EXPECT_FALSE(tips.isVisible());
        return shown;
    }

    // Characters typed on the keyboard: the window's native window gets them first.
    void type(const QString& text)
    {
        for (const QChar character : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(tips.windowHandle(), &press);
        }
    }

    QStringList memoLines() const
    {
        QStringList lines;
        for (QTextBlock block = tips.documentText->document()->begin(); block.isValid(); block = block.next())
            lines << block.text();
        return lines;
    }

    std::vector<std::string> errorTexts() const
    {
        std::vector<std::string> texts;
        for (const ShownDialog& box : dialogs.shown) {
            EXPECT_EQ(box.kind, DialogKind::Error);
            texts.push_back(box.text);
        }
        return texts;
    }

    // Which of the window's large controls show, as "picture", "document" (the text area
    // and the button strip) and "credits".
    QString shownParts() const
    {
        QStringList parts;
        if (tips.titlePicture->isVisible())
            parts << "picture";
        if (tips.documentText->isVisible() && tips.documentButtons->isVisible())
            parts << "document";
        else if (tips.documentText->isVisible() || tips.documentButtons->isVisible())
            parts << "half a document";
        if (tips.creditsText->isVisible())
            parts << "credits";
        EXPECT_TRUE(tips.tipOfDayBox->isVisible());
        EXPECT_TRUE(tips.okButton->isVisible());
        return parts.join('+');
    }

    std::string settingsFile() const { return home.file("sr3.ini"); }

    TempDir home;
    ScriptedDialogs dialogs;
    CommandDispatcher dispatcher;
    WelcomeWindow tips{dispatcher};
};

const std::string kTips3 = "3\r\nFirst tip.\r\nSecond tip.\r\nThird tip.\r\n";

TEST_F(WelcomeWindowTest, EachPageShowsItsViewAndTheButtonsSwitchDocuments)
{
    home.write("intro.txt", "INTRODUCTION\r\nWelcome aboard.\r\n");
    home.write("tech1.txt", "Documents 1-7\r\n");
    home.write("tech2.txt", "Documents 8-14\r\n");
    home.write("tech3.txt", "Documents 15+\r\n");
    home.write("tipofday.txt", "1\r\nThe only tip.\r\n");
    EXPECT_EQ(tips.documentText->toPlainText(), "Welcome to Sonorail!");

    EXPECT_TRUE(whileOpen(Command::About, [&] { EXPECT_EQ(shownParts(), "picture"); }));
    EXPECT_TRUE(whileOpen(Command::Introduction, [&] {
        EXPECT_EQ(shownParts(), "picture+document");
        EXPECT_EQ(tips.documentText->toPlainText(), "INTRODUCTION\nWelcome aboard.\n");
        tips.techPart2Button->click();
        EXPECT_EQ(tips.documentText->toPlainText(), "Documents 8-14\n");
        tips.techPart3Button->click();
        EXPECT_EQ(tips.documentText->toPlainText(), "Documents 15+\n");
        tips.tipButton->click();
        EXPECT_EQ(memoLines().last(), "The only tip.");
        tips.introButton->click();
        EXPECT_EQ(tips.documentText->toPlainText(), "INTRODUCTION\nWelcome aboard.\n");
    }));
    EXPECT_TRUE(whileOpen(Command::TechnicalDocuments, [&] {
        EXPECT_EQ(shownParts(), "picture+document");
        EXPECT_EQ(tips.documentText->toPlainText(), "Documents 1-7\n");
        tips.techPart1Button->click();
        EXPECT_EQ(tips.documentText->toPlainText(), "Documents 1-7\n");
    }));
    EXPECT_TRUE(whileOpen(Command::TipOfTheDay, [&] { EXPECT_EQ(shownParts(), "picture+document"); }));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(WelcomeWindowTest, ATipIsHeadedByThreeLinesAndNeverTheCountOrALineAfterTheCountedOnes)
{
    home.write("tipofday.txt", "1\r\nThe only tip.\r\nNot counted.\r\n");
    for (int opening = 0; opening < 3; ++opening) {
        whileOpen(Command::TipOfTheDay);
        EXPECT_EQ(memoLines(), (QStringList{"TIP OF THE DAY:", "---------------", " ", "The only tip."}));
    }

    // A count larger than the lines present: a real tip all the same, every time.
    home.write("tipofday.txt", "45\r\nOne.\r\nTwo.\r\n");
    QStringList seen;
    for (int draw = 0; draw < 40; ++draw) {
        tips.showTipOfDay();
        seen << memoLines().last();
    }
    seen.removeDuplicates();
    seen.sort();
    EXPECT_EQ(seen, (QStringList{"One.", "Two."}));

    // No tips at all: the heading over an empty line.
    home.write("tipofday.txt", "0\r\nNot counted.\r\n");
    tips.showTipOfDay();
    EXPECT_EQ(memoLines(), (QStringList{"TIP OF THE DAY:", "---------------", " ", ""}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(WelcomeWindowTest, EveryTipOfTheInstalledFileCanBeDrawn)
{
    placeProgram(SONORAIL_EXECUTABLE);  // the documents beside the built program
    const std::string installed = test_files::read(CurrentProgramPaths().dataFile("tipofday.txt"));
    ASSERT_FALSE(installed.empty());
    QStringList seen;
    for (int draw = 0; draw < 2000; ++draw) {
        tips.showTipOfDay();
        seen << memoLines().last();
    }
    seen.removeDuplicates();
    EXPECT_EQ(seen.size(), std::stoi(installed)) << "each tip once, none empty, the count right";
    EXPECT_FALSE(seen.contains(""));
}

TEST_F(WelcomeWindowTest, ClosingStoresTheBoxAndTheEndOfTheFirstRunAndNothingElse)
{
    const std::string before =
        "; kept as written\r\n[General]\r\noptDragDrop=1\r\n\r\n[Display]\r\noptDisplayTime = 0\r\n"
        "OptTipOfDay=1\r\nOptFirstRun=1\r\nMine=kept\r\n[CDAudio]\r\noptautoseekcdstart=1\r\n";
    home.write("sr3.ini", before);
    whileOpen(Command::About, [&] { tips.tipOfDayBox->click(); });
    std::string expected = before;
    expected.replace(expected.find("OptTipOfDay=1"), 13, "OptTipOfDay=0");
    expected.replace(expected.find("OptFirstRun=1"), 13, "OptFirstRun=0");
    EXPECT_EQ(home.read("sr3.ini"), expected);

    // Each showing reads the box from the file; Esc closes the window the same way.
    home.write("sr3.ini", "[Display]\r\nOptTipOfDay=0\r\n");
    whileOpen(Command::About, [&] {
        EXPECT_FALSE(tips.tipOfDayBox->isChecked());
        tips.tipOfDayBox->click();
        tips.reject();
    });
    EXPECT_EQ(home.read("sr3.ini"), "[Display]\r\nOptTipOfDay=1\r\nOptFirstRun=0\r\n");
}

TEST_F(WelcomeWindowTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheWindowStillCloses)
{
    fs::create_directory(settingsFile());  // a directory where the file should be
    whileOpen(Command::About);
    EXPECT_FALSE(tips.isVisible());
    EXPECT_EQ(errorTexts(), std::vector<std::string>{"Unable to write to " + settingsFile() + "."});
}

TEST_F(WelcomeWindowTest, TheKeySequenceTurnsTheWindowIntoTheCreditsPage)
{
    home.write("intro.txt", "Intro\r\n");
    whileOpen(Command::Introduction, [&] {
        type("trai");
        EXPECT_EQ(shownParts(), "picture+document");
        type("n");
        EXPECT_EQ(shownParts(), "credits");
        EXPECT_TRUE(tips.creditsText->toPlainText().contains("Thank you, testers!"));
    });
    // The next opening sets its own view again.
    whileOpen(Command::About, [&] { EXPECT_EQ(shownParts(), "picture"); });

    // A wrong letter anywhere starts again, and is not taken as a first letter.
    whileOpen(Command::About, [&] {
        type("TRAXN");
        type("TTRAIN");
        type("TRAI N");
        EXPECT_EQ(shownParts(), "picture");
        type("TRAIN");
        EXPECT_EQ(shownParts(), "credits");
    });

    // Begun in one opening, finished in the next.
    whileOpen(Command::About, [&] { type("Tra"); });
    whileOpen(Command::About, [&] {
        type("In");
        EXPECT_EQ(shownParts(), "credits");
    });
}

TEST_F(WelcomeWindowTest, ShowingSetsTheSharedPaletteFromThePaletteBitmapAndWritesNoFile)
{
    SharedPalette::clear();
    whileOpen(Command::About, [&] {
        const QList<QRgb> palette = tips.palColours();
        EXPECT_EQ(palette.size(), 236);
        EXPECT_EQ(SharedPalette::colours(), palette);
        // The title picture is drawn in the palette bitmap's colours, in the same order.
        const QImage title = tips.titlePicture->pixmap().toImage();
        EXPECT_EQ(title.size(), QSize(475, 302));
        EXPECT_EQ(QImage(":/welcome/OOGH").colorTable(), palette);
        EXPECT_FALSE(tips.paletteHolder->isVisible() && tips.rect().intersects(tips.paletteHolder->geometry()));
        // The credits page and the button glyphs come from the program too.
        EXPECT_TRUE(tips.creditsText->toPlainText().startsWith("Sonorail V3.0"));
        EXPECT_FALSE(tips.tipButton->icon().isNull());
        SharedPalette::clear();
    });
    // Every showing sets it again after something cleared it.
    whileOpen(Command::About);
    EXPECT_EQ(SharedPalette::colours().size(), 236);
    // Nothing but the settings written on closing lands in the program's directory.
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(home.path()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"program", "sr3.ini"}));
}

TEST_F(WelcomeWindowTest, AMissingDocumentFromTheMenuShowsTheErrorAndNotTheWindow)
{
    EXPECT_FALSE(whileOpen(Command::Introduction));
    EXPECT_FALSE(whileOpen(Command::TipOfTheDay));
    EXPECT_EQ(errorTexts(),
              (std::vector<std::string>{"Cannot open file " + home.file("intro.txt") + ".", "File not found."}));
    dialogs.shown.clear();

    // A button in the open window: the error, and the text area keeps its text.
    home.write("intro.txt", "Intro\r\n");
    fs::create_directory(home.file("tech2.txt"));  // a directory is no document
    whileOpen(Command::Introduction, [&] {
        tips.techPart2Button->click();
        EXPECT_TRUE(tips.isVisible());
        EXPECT_EQ(tips.documentText->toPlainText(), "Intro\n");
    });
    EXPECT_EQ(errorTexts(), std::vector<std::string>{"Cannot open file " + home.file("tech2.txt") + "."});
}

TEST_F(WelcomeWindowTest, AtStartUpABadOrMissingFileGivesOneErrorAndTheWindowWithAnEmptyTextArea)
{
    struct Case {
        const char* tipsFile;  // nullptr: no file at all
        std::string error;
    };
    const std::string path = home.file("tipofday.txt");
    for (const Case& sample :
         {Case{nullptr, "File not found."}, Case{"abc\r\nA tip.\r\n", "'abc' is not a valid integer value."}}) {
        fs::remove(path);
        if (sample.tipsFile)
            home.write("tipofday.txt", sample.tipsFile);
        dialogs.shown.clear();
        tips.documentText->setPlainText("Something shown before");
        EXPECT_TRUE(whileOpenAtStartup(WelcomePage::TipOfTheDay, [&] {
            EXPECT_EQ(shownParts(), "picture+document");
            EXPECT_EQ(tips.documentText->toPlainText(), "");
        }));
        EXPECT_EQ(errorTexts(), std::vector<std::string>{sample.error});
    }

    dialogs.shown.clear();
    tips.documentText->setPlainText("Welcome to Sonorail!");
    EXPECT_TRUE(
        whileOpenAtStartup(WelcomePage::Introduction, [&] { EXPECT_EQ(tips.documentText->toPlainText(), ""); }));
    EXPECT_EQ(errorTexts(), std::vector<std::string>{"Cannot open file " + home.file("intro.txt") + "."});
}

// Documents are read as the viewer reads them: up to its limit, never cut inside a UTF-8
// character, and a shortened one says so in its last line.
TEST_F(WelcomeWindowTest, AnOverlongDocumentIsShortenedAsTheViewerShortensIt)
{
    const std::size_t cap = DocumentFile::kLargestShown;
    const std::string line = "Caf\xC3\xA9 au lait, a line of the document that goes on and on.\r\n";
    std::string text((cap - 1 - line.find('\xC3')) % line.size(), 'x');  // the cap falls inside the "é"
    text.reserve(cap + 4096);
    while (text.size() < cap + 2048)
        text += line;
    ASSERT_EQ(text.substr(cap - 1, 2), "\xC3\xA9");
    home.write("intro.txt", text);
    whileOpen(Command::Introduction, [&] {
        ASSERT_TRUE(qt_test::waitUntil([&] { return !DocumentView::filling(*tips.documentText); }));
        const QTextDocument& shown = *tips.documentText->document();
        EXPECT_EQ(shown.findBlockByNumber(1).text().toStdString(), line.substr(0, line.size() - 2)) << "still UTF-8";
        EXPECT_EQ(shown.lastBlock().text().toStdString(),
                  "[Shortened: only the first 16777216 bytes (16 MiB) of this document's " +
                      std::to_string(text.size()) + " bytes are shown.]");
        EXPECT_EQ(shown.lastBlock().previous().text(), "Caf");
    });
}

// One long line (here of NUL bytes) would take minutes to lay out as one paragraph: the
// introduction opens at once and shows it all, in paragraphs of at most a screenful.
TEST_F(WelcomeWindowTest, AnIntroductionOfOneLongLineOpensAtOnceInBoundedParagraphs)
{
    home.write("intro.txt", std::string(256 * 1024, '\0'));
    EXPECT_TRUE(whileOpenAtStartup(WelcomePage::Introduction, [&] {
        ASSERT_TRUE(qt_test::waitUntil([&] { return !DocumentView::filling(*tips.documentText); }));
        const QStringList lines = memoLines();
        EXPECT_EQ(lines.join(QString()), QString(256 * 1024, QChar(0)));
        EXPECT_TRUE(std::ranges::all_of(
            lines, [](const QString& line) { return line.size() <= DocumentView::kLongestParagraph; }));
    }));
}

TEST_F(WelcomeWindowTest, TheButtonLabelsFitUnderTheirButtonsWithinTheStrip)
{
    whileOpen(Command::About);  // the labels' font is fitted at the first showing
    const QList<QLabel*> labels{tips.introLabel, tips.techPart1Label, tips.techPart2Label, tips.techPart3Label,
                                tips.tipLabel};
    const QList<QToolButton*> buttons{tips.introButton, tips.techPart1Button, tips.techPart2Button,
                                      tips.techPart3Button, tips.tipButton};
    for (int index = 0; index < buttons.size(); ++index) {
        QLabel* label = labels[index];
        EXPECT_GT(label->y(), buttons[index]->geometry().bottom());
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->text().toStdString();
        EXPECT_LE(label->geometry().bottom(), tips.documentButtons->height()) << label->text().toStdString();
        if (index + 1 < buttons.size()) {
            EXPECT_LT(label->geometry().right(), buttons[index + 1]->x()) << label->text().toStdString();
        }
    }
}

}  // namespace
