// Our RTF reader against documents LibreOffice wrote (and the text it extracts from them),
// and against hand-written documents for each part of the format that those do not reach.
#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextTable>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/QtEvents.h"
#include "ui/viewer/DocumentView.h"
#include "ui/viewer/RtfReader.h"

namespace {

const QString kRtfData = QStringLiteral(SONORAIL_TEST_DATA "/rtf/");

struct ReadDocument {
    explicit ReadDocument(std::string_view rtf) { RtfReader::read(rtf, document); }
    QString text() const { return document.toPlainText(); }
    QString rawText() const { return document.toRawText(); }  // keeps no-break spaces
    QTextDocument document;
};

// Lines without their surrounding white space, runs of spaces and tabs as one space, empty
// lines and object placeholders (pictures) left out: how two extractions of one text compare.
QStringList normalisedLines(QString text)
{
    text.remove(QChar(0xFEFF)).remove(QChar::ObjectReplacementCharacter);
    text.replace(QChar::LineSeparator, QLatin1Char('\n')).replace(QChar::Nbsp, QLatin1Char(' '));
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.simplified();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

// The text of every run of characters whose format passes the test, one entry per run.
QStringList runsWhere(const QTextDocument& document, const std::function<bool(const QTextCharFormat&)>& test)
{
    QStringList runs;
    bool inRun = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            if (!test(piece.charFormat()) || piece.text().trimmed().isEmpty()) {
                inRun = inRun && piece.text().trimmed().isEmpty() && test(piece.charFormat());
                continue;
            }
            if (inRun)
                runs.last() += piece.text();
            else
                runs << piece.text();
            inRun = true;
        }
        inRun = false;
    }
    for (QString& run : runs)
        run = run.trimmed();
    return runs;
}

QTextBlock blockStartingWith(const QTextDocument& document, const QString& start)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.text().startsWith(start))
            return block;
    ADD_FAILURE() << "no paragraph starts with " << start.toStdString();
    return {};
}

TEST(RtfReaderTest, LibreOfficeDocumentsGiveTheTextLibreOfficeExtracts)
{
    for (const char* name : {"formatting", "lists"}) {
        SCOPED_TRACE(name);
        const QByteArray rtf = qt_test::fileBytes(kRtfData + name + ".rtf");
        const ReadDocument read(rtf.toStdString());
        const QString extracted = QString::fromUtf8(qt_test::fileBytes(kRtfData + name + ".libreoffice.txt"));
        EXPECT_EQ(normalisedLines(read.text()), normalisedLines(extracted));
    }
}

TEST(RtfReaderTest, LibreOfficeFormattingRunsAndParagraphsAreKept)
{
    const ReadDocument read(qt_test::fileBytes(kRtfData + "formatting.rtf").toStdString());
    const QTextDocument& document = read.document;
    EXPECT_EQ(runsWhere(document, [](const QTextCharFormat& f) { return f.fontWeight() >= QFont::Bold; }),
              QStringList({"Sonorail release notes", "bold words"}));
    EXPECT_EQ(runsWhere(document, [](const QTextCharFormat& f) { return f.fontItalic(); }),
              QStringList({"italic words"}));
    EXPECT_EQ(runsWhere(document, [](const QTextCharFormat& f) { return f.fontUnderline(); }),
              QStringList({"underlined words"}));
    EXPECT_EQ(runsWhere(document, [](const QTextCharFormat& f) { return f.fontStrikeOut(); }),
              QStringList({"struck words"}));
    EXPECT_EQ(
        runsWhere(document,
                  [](const QTextCharFormat& f) { return f.verticalAlignment() == QTextCharFormat::AlignSubScript; }),
        QStringList({"2"}));
    EXPECT_EQ(
        runsWhere(document, [](const QTextCharFormat& f) { return f.foreground().color() == QColor(0xc0, 0, 0); }),
        QStringList({"red text"}));
    EXPECT_EQ(
        runsWhere(document, [](const QTextCharFormat& f) { return f.background().color() == QColor(Qt::yellow); }),
        QStringList({"highlighted text"}));

    EXPECT_EQ(blockStartingWith(document, "A centred line").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(blockStartingWith(document, "A line on the right").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(blockStartingWith(document, "A justified").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignJustify);
    EXPECT_EQ(blockStartingWith(document, "This paragraph").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    EXPECT_NEAR(blockStartingWith(document, "An indented").blockFormat().leftMargin(), 2 / 2.54 * 96, 1.0);
    EXPECT_GT(runsWhere(document, [](const QTextCharFormat& f) { return f.fontPointSize() >= 20; }).size(), 0)
        << "the heading is larger";
}

TEST(RtfReaderTest, LibreOfficePicturesShowInlineAtTheirSize)
{
    const ReadDocument read(qt_test::fileBytes(kRtfData + "formatting.rtf").toStdString());
    QTextImageFormat picture;
    for (QTextBlock block = read.document.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            if (fragment.fragment().charFormat().isImageFormat())
                picture = fragment.fragment().charFormat().toImageFormat();
    ASSERT_TRUE(picture.isValid()) << "the PNG is shown; its metafile stand-in is not";
    EXPECT_EQ(picture.width(), 24);
    EXPECT_EQ(picture.height(), 16);
    const QImage image = read.document.resource(QTextDocument::ImageResource, QUrl(picture.name())).value<QImage>();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(0x20, 0x60, 0xc0));
}

QList<QTextImageFormat> picturesOf(const QTextDocument& document)
{
    QList<QTextImageFormat> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            if (fragment.fragment().charFormat().isImageFormat())
                pictures << fragment.fragment().charFormat().toImageFormat();
    return pictures;
}

TEST(RtfReaderTest, JpegAndBinaryPicturesShowAndOtherKindsDoNot)
{
    const QByteArray jpeg = qt_test::fileBytes(QStringLiteral(SONORAIL_TEST_DATA "/pictures/sample.jpg"));  // 40 x 30
    const QByteArray png = qt_test::fileBytes(QStringLiteral(SONORAIL_TEST_DATA "/pictures/sample.png"));   // 13 x 7
    const std::string rtf = "{\\rtf1 a{\\pict\\jpegblip\\picwgoal1200\\pichgoal900 " + jpeg.toHex().toStdString() +
                            "}b{\\pict\\pngblip\\bin" + std::to_string(png.size()) + " " + png.toStdString() +
                            "}c{\\pict\\wmetafile8 0100090000}{\\pict\\pngblip 00ff}d}";
    const ReadDocument read(rtf);
    EXPECT_EQ(QString(read.text()).remove(QChar::ObjectReplacementCharacter), "abcd");
    const QList<QTextImageFormat> pictures = picturesOf(read.document);
    ASSERT_EQ(pictures.size(), 2) << "a metafile and a broken PNG show nothing";
    EXPECT_EQ(pictures[0].width(), 80) << "the goal size in twips";
    EXPECT_EQ(pictures[0].height(), 60);
    EXPECT_EQ(pictures[1].width(), 13) << "no goal size: the picture's own";
}

TEST(RtfReaderTest, ListsShowTheirMarksAndTablesShowAsTables)
{
    const ReadDocument read(qt_test::fileBytes(kRtfData + "lists.rtf").toStdString());
    const QStringList lines = normalisedLines(read.text());
    EXPECT_TRUE(lines.contains(QString::fromUtf8("\xe2\x80\xa2 Headphones"))) << lines.join('|').toStdString();
    EXPECT_TRUE(lines.contains("2. Press Play")) << lines.join('|').toStdString();

    // A list item's text starts at the paragraph's indent, after its mark's tab.
    QTextDocument& document = const_cast<QTextDocument&>(read.document);
    document.setTextWidth(600);
    (void)document.size();
    const QTextBlock item = blockStartingWith(document, QString::fromUtf8("\xe2\x80\xa2"));
    ASSERT_TRUE(item.isValid());
    const int textStart = item.text().indexOf("Headphones");
    EXPECT_GT(item.blockFormat().leftMargin(), 20);
    EXPECT_NEAR(item.layout()->lineAt(0).cursorToX(textStart), item.blockFormat().leftMargin(), 1.0);

    QTextTable* table = nullptr;
    for (QTextFrame* frame : read.document.rootFrame()->childFrames())
        table = table ? table : qobject_cast<QTextTable*>(frame);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows(), 3);
    ASSERT_EQ(table->columns(), 3);
    const auto cellText = [table](int row, int column) {
        const QTextTableCell cell = table->cellAt(row, column);
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return cursor.selectedText();
    };
    EXPECT_EQ(cellText(0, 0), "Track");
    EXPECT_EQ(cellText(1, 1), "Overture");
    EXPECT_EQ(cellText(2, 2), "4:05");
    EXPECT_EQ(normalisedLines(read.text()).last(), "After the table.") << "text after the table is outside it";
}

TEST(RtfReaderTest, HandWrittenTableRowsAndEmptyCells)
{
    const ReadDocument read(
        "{\\rtf1 before\\par\\trowd\\cellx1000\\cellx2000\\cellx3000"
        "\\intbl a\\cell\\cell c\\cell\\row\\trowd\\cellx1000\\cellx2000\\cellx3000"
        "\\intbl d\\cell e\\cell f\\cell\\row\\pard after\\par}");
    const QTextTable* table = read.document.rootFrame()->childFrames().isEmpty()
                                  ? nullptr
                                  : qobject_cast<QTextTable*>(read.document.rootFrame()->childFrames().first());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 3);
    EXPECT_EQ(normalisedLines(read.text()), QStringList({"before", "a", "c", "d", "e", "f", "after"}));
}

TEST(RtfReaderTest, LongTablesKeepEveryRowInOrder)
{
    std::string rtf = "{\\rtf1 ";
    QStringList expected;
    for (int row = 0; row < 250; ++row) {
        const std::string n = std::to_string(row);
        rtf += "\\trowd\\cellx1000\\cellx2000\\intbl " + n + "a\\cell " + n + "b\\cell\\row";
        expected << QString::fromStdString(n + "a") << QString::fromStdString(n + "b");
    }
    const ReadDocument read(rtf + "\\pard end}");
    expected << "end";
    EXPECT_EQ(normalisedLines(read.text()), expected);
    int rows = 0;
    for (QTextFrame* frame : read.document.rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            EXPECT_EQ(table->columns(), 2);
            rows += table->rows();
        }
    EXPECT_EQ(rows, 250);
}

TEST(RtfReaderTest, EscapesDecodeThroughTheDocumentOrFontCodePage)
{
    // Windows-1252: é, the euro sign, the curly quotes; symbols and the named characters.
    EXPECT_EQ(ReadDocument("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 5\\'80 \\'93q\\'94}").text(),
              QString::fromUtf8("caf\xc3\xa9 5\xe2\x82\xac \xe2\x80\x9cq\xe2\x80\x9d"));
    EXPECT_EQ(
        ReadDocument("{\\rtf1 a\\~b\\_c\\-d \\{x\\} \\\\ \\lquote\\rquote\\ldblquote\\rdblquote"
                     "\\endash\\emdash\\bullet}")
            .rawText(),
        QString::fromUtf8("a\xc2\xa0"
                          "b\xe2\x80\x91"
                          "c\xc2\xad"
                          "d {x} \\ "
                          "\xe2\x80\x98\xe2\x80\x99\xe2\x80\x9c\xe2\x80\x9d\xe2\x80\x93\xe2\x80\x94\xe2\x80\xa2"));
    // Cyrillic through the font's character set, while the document says Windows-1252.
    EXPECT_EQ(ReadDocument("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}"
                           "\\f0 caf\\'e9 \\f1\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
                  .text(),
              QString::fromUtf8("caf\xc3\xa9 \xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82"));
    // A whole document in Windows-1251, and a double-byte Japanese font (Shift-JIS).
    EXPECT_EQ(ReadDocument("{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}").text(), QString::fromUtf8("\xd0\x94\xd0\xb0"));
    EXPECT_EQ(ReadDocument("{\\rtf1{\\fonttbl{\\f2\\fcharset128 MS Mincho;}}\\f2 \\'82\\'a0\\'82\\'a2}").text(),
              QString::fromUtf8("\xe3\x81\x82\xe3\x81\x84"));
    // A code page nobody knows reads as Windows-1252 (and once made the reader free a converter twice).
    EXPECT_EQ(ReadDocument("{\\rtf1\\ansicpg1\\'e9{\\fonttbl{\\f0\\cpg99999 X;}}\\f0\\'e9}").text(),
              QString::fromUtf8("\xc3\xa9\xc3\xa9"));
}

TEST(RtfReaderTest, UnicodeCharactersSkipTheirStandInsAsUcSays)
{
    EXPECT_EQ(ReadDocument("{\\rtf1 \\u1055?\\u1088?}").text(), QString::fromUtf8("\xd0\x9f\xd1\x80"));
    EXPECT_EQ(ReadDocument("{\\rtf1\\uc2 \\u1055\\'3f\\'3fx\\u1088 ab}").text(),
              QString::fromUtf8("\xd0\x9fx\xd1\x80"));
    EXPECT_EQ(ReadDocument("{\\rtf1\\uc0 \\u1055 x}").text(), QString::fromUtf8("\xd0\x9fx"));
    EXPECT_EQ(ReadDocument("{\\rtf1 {\\uc3\\u1055}abc}").text(), QString::fromUtf8("\xd0\x9f"
                                                                                   "abc"))
        << "a group's end ends the skipping, and \\uc belongs to its group";
    EXPECT_EQ(ReadDocument("{\\rtf1 \\u-10179?\\u-8704?}").text(), QString::fromUtf8("\xf0\x9f\x98\x80"))
        << "a surrogate pair in negative numbers";
}

TEST(RtfReaderTest, BinaryDataIsSkippedByItsLength)
{
    EXPECT_EQ(ReadDocument("{\\rtf1 a\\bin5 {}\\x}b}").text(), "ab");
    EXPECT_EQ(ReadDocument("{\\rtf1 a\\bin99 short}").text(), "a") << "data running past the end ends the document";
    EXPECT_EQ(ReadDocument("{\\rtf1 a\\bin-5 b}").text(), "ab");
}

TEST(RtfReaderTest, DestinationsThatShowNothingAreSkippedAndUnknownWordsVanish)
{
    const ReadDocument read(
        "{\\rtf1{\\info{\\title Secret}{\\author Someone}}{\\stylesheet{\\s0 Normal;}}"
        "{\\header Page head}{\\footer Page foot}{\\*\\generator Writer}{\\*\\unheardof data}"
        "{\\*\\bkmkstart mark}one {\\frobnicate42 two} \\zork three{\\v hidden} "
        "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}}}");
    EXPECT_EQ(read.text(), "one two three link");
}

TEST(RtfReaderTest, BrokenDocumentsEndCleanly)
{
    EXPECT_EQ(ReadDocument("{\\rtf1 {\\b open groups {\\i never close").text(), "open groups never close");
    EXPECT_EQ(ReadDocument("{\\rtf1 shown} not shown").text(), "shown");
    EXPECT_EQ(ReadDocument("{\\rtf1 a}}}} b").text(), "a");
    EXPECT_EQ(ReadDocument("{\\rtf1 cut \\'4").text(), "cut ");
    EXPECT_EQ(ReadDocument("{\\rtf1 cut\\").text(), "cut");
    EXPECT_EQ(ReadDocument("{\\rtf1 word\\aVeryLongControlWordThatGoesOnAndOnForMoreThanThirtyTwoLetters99 x}").text(),
              "wordx");
    EXPECT_EQ(ReadDocument("{\\rtf1 x\\fs999999999999999 y}").text(), "xy");
    EXPECT_EQ(ReadDocument(std::string(200000, '{') + "\\rtf1 deep" + std::string(100, '}')).text(), "deep");
    EXPECT_EQ(ReadDocument("").text(), "");

    const QDir regressions(QStringLiteral(SONORAIL_TEST_DATA "/rtf-regressions"));
    for (const QString& name : regressions.entryList(QDir::Files)) {
        SCOPED_TRACE(name.toStdString());
        ReadDocument read(qt_test::fileBytes(regressions.filePath(name)).toStdString());  // inputs that once crashed
        read.document.setTextWidth(300);
        EXPECT_GE(read.document.size().height(), 0);
    }
}

TEST(RtfReaderTest, TheViewShowsRichTextFormattedAndAnythingElseAsPlainText)
{
    QTextEdit view;
    DocumentView::show(view, "{\\rtf1 {\\b bold} plain}");
    EXPECT_EQ(view.toPlainText(), "bold plain");
    EXPECT_EQ(runsWhere(*view.document(), [](const QTextCharFormat& f) { return f.fontWeight() >= QFont::Bold; }),
              QStringList({"bold"}));
    DocumentView::show(view, " {\\rtf1 not quite at the start}");
    EXPECT_EQ(view.toPlainText(), " {\\rtf1 not quite at the start}");
    DocumentView::show(view, "{\\RTF1 case counts}");
    EXPECT_EQ(view.toPlainText(), "{\\RTF1 case counts}");
}

}  // namespace
