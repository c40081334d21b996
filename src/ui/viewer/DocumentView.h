#pragma once
// Loading a whole document into a read-only text view: rich text (it starts with "{\rtf",
// whatever its name) shows formatted through our RTF reader, anything else as plain text.
// The viewer window and the welcome window share it.
//
// Laying out a paragraph costs the square of its length where it offers no place to wrap (a
// 256 KiB line took seconds, 16 MiB minutes), so a view never gets a paragraph longer than
// about a screenful: longer lines are shown broken into several paragraphs, at a space near
// the bound when there is one. The characters themselves are all shown, unchanged.
#include <QByteArray>
#include <QString>
#include <QStringView>

class QPlainTextEdit;
class QTextDocument;
class QTextEdit;

namespace DocumentView {

// The most characters a shown paragraph holds.
constexpr qsizetype kLongestParagraph = 4096;

// Where a paragraph longer than kLongestParagraph is broken: after the last space or tab of
// its last quarter, else at the bound itself (never between the halves of a surrogate pair).
qsizetype ParagraphBreak(QStringView line);
// The same for the first `room` characters of text (0 < room < text's size): after the last
// space or tab of their last quarter, else at room.
qsizetype BreakWithin(QStringView text, qsizetype room);

// Plain text in a plain-text view, which lays out only what it shows. The first part (about
// 256 Ki characters) is in the view when this returns; the rest follows a part per turn of the
// event loop, so the window keeps answering, and lastLine, when given, comes after the whole
// text as a line of its own. Any change to the view's text from elsewhere ends the filling.
void showText(QPlainTextEdit& view, const QString& text, const QString& lastLine = {});
// Whether the view is still being filled.
bool filling(const QPlainTextEdit& view);

// A rich-text document (bytes that start with "{\rtf") in the view, as a fresh document with
// the view's font, its paragraphs broken where they are too long.
void showRichText(QTextEdit& view, const QByteArray& bytes);
// A line after everything the view shows.
void appendLine(QTextEdit& view, const QString& line);

// Rich text formatted, anything else as plain text, in a rich-text view (the credits page).
void show(QTextEdit& view, const QByteArray& bytes);

bool isRichText(const QByteArray& bytes);

// Breaks every paragraph of the document that is longer than kLongestParagraph.
void breakLongParagraphs(QTextDocument& document);

}  // namespace DocumentView

// The text of a document's bytes: UTF-8 when they are valid UTF-8, else Windows-1252.
QString DocumentText(const QByteArray& bytes);
