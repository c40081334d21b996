#include "ui/viewer/DocumentView.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <vector>

#include "ui/viewer/DocumentFill.h"
#include "ui/viewer/RtfReader.h"

QString DocumentText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1252("windows-1252");
    if (windows1252.isValid())
        return windows1252.decode(bytes);
    return QString::fromLatin1(bytes);
}

namespace DocumentView {

namespace {

std::string_view contentOf(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The view takes over the document; the one it had goes, unless it is the view's own first
// document, which the view deletes itself.
void replaceDocument(QTextEdit& view, QTextDocument* document)
{
    QTextDocument* previous = view.document();
    const bool previousIsOurs = previous && previous->parent() == &view;
    view.setDocument(document);
    if (previousIsOurs)
        delete previous;
}

// Where a text is broken into shown paragraphs of at most kLongestParagraph characters.
std::vector<qsizetype> paragraphBreaks(QStringView text)
{
    std::vector<qsizetype> breaks;
    qsizetype start = 0;
    while (text.size() - start > kLongestParagraph) {
        start += ParagraphBreak(text.sliced(start));
        breaks.push_back(start);
    }
    return breaks;
}

}  // namespace

void showText(QPlainTextEdit& view, const QString& text, const QString& lastLine)
{
    DocumentFill::start(view, text, lastLine);
}

bool filling(const QPlainTextEdit& view) { return DocumentFill::runningIn(view) != nullptr; }

bool isRichText(const QByteArray& bytes) { return RtfReader::isRichText(contentOf(bytes)); }

// Each long block is broken from its end backwards, so the places still to break keep their
// positions; a new block takes the format of the one it was broken from.
void breakLongParagraphs(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.length() - 1 <= kLongestParagraph)
            continue;
        const std::vector<qsizetype> breaks = paragraphBreaks(block.text());
        QTextCursor cursor(block);
        const int start = block.position();
        for (auto at = breaks.rbegin(); at != breaks.rend(); ++at) {
            cursor.setPosition(start + static_cast<int>(*at));
            cursor.insertBlock();
        }
        for (std::size_t piece = 0; piece < breaks.size(); ++piece)
            block = block.next();  // on to the last piece
    }
}

void showRichText(QTextEdit& view, const QByteArray& bytes)
{
    // A fresh document keeps the view's default font and colours and drops the pictures of
    // the previous one; the view takes it over.
    auto* document = new QTextDocument(&view);
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(view.font());
    RtfReader::read(contentOf(bytes), *document);
    breakLongParagraphs(*document);
    replaceDocument(view, document);
}

void appendLine(QTextEdit& view, const QString& line)
{
    QTextCursor end(view.document());
    end.movePosition(QTextCursor::End);
    end.insertBlock(QTextBlockFormat(), QTextCharFormat());
    end.insertText(line);
}

void show(QTextEdit& view, const QByteArray& bytes)
{
    if (isRichText(bytes)) {
        showRichText(view, bytes);
        return;
    }
    auto* document = new QTextDocument(&view);
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(view.font());
    document->setPlainText(DocumentText(bytes));
    breakLongParagraphs(*document);
    replaceDocument(view, document);
}

}  // namespace DocumentView
