#include "ui/viewer/DocumentFill.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include "ui/viewer/DocumentView.h"

namespace {

bool endsLine(QChar character) { return character == QLatin1Char('\n') || character == QLatin1Char('\r'); }

}  // namespace

void DocumentFill::start(QPlainTextEdit& view, QString text, QString lastLine)
{
    delete runningIn(view);
    view.document()->setUndoRedoEnabled(false);  // a read-only view: no history of a 16 MiB text
    auto* fill = new DocumentFill(view, std::move(text), std::move(lastLine));
    fill->fillNextPart();
}

DocumentFill* DocumentFill::runningIn(const QPlainTextEdit& view)
{
    return view.findChild<DocumentFill*>(QString(), Qt::FindDirectChildrenOnly);
}

DocumentFill::DocumentFill(QPlainTextEdit& view, QString text, QString lastLine)
    : QObject(&view), view(view), text(std::move(text)), lastLine(std::move(lastLine))
{
    connect(view.document(), &QTextDocument::contentsChanged, this, &DocumentFill::textChanged);
    // A view that is given another document is no longer ours to fill.
    connect(view.document(), &QObject::destroyed, this, &QObject::deleteLater);
}

// Whole lines up to about kPartSize characters, each broken into shown paragraphs; a line
// longer than that is taken a paragraph at a time. A line end (LF, CR or CR LF) is taken with
// the line before it, so CR LF never falls between two parts. A text that ends with a line end
// ends with an empty line, as the view shows it.
QString DocumentFill::nextPart()
{
    QString part;
    qsizetype taken = 0;
    while (!done && taken < kPartSize) {
        const QStringView rest = QStringView(text).sliced(position);
        const qsizetype reach = std::min(rest.size(), DocumentView::kLongestParagraph + 1);
        qsizetype length = 0;
        while (length < reach && !endsLine(rest[length]))
            ++length;
        qsizetype consumed = length;
        if (length < reach) {
            const bool crLf =
                rest[length] == QLatin1Char('\r') && length + 1 < rest.size() && rest[length + 1] == QLatin1Char('\n');
            consumed += crLf ? 2 : 1;
        } else if (rest.size() > DocumentView::kLongestParagraph) {
            length = consumed = DocumentView::ParagraphBreak(rest);  // a line too long to show whole
        } else {
            done = true;  // the last line
        }
        if (!firstPart || taken > 0)
            part += QLatin1Char('\n');
        part += rest.first(length);
        position += consumed;
        taken += std::max<qsizetype>(consumed, 1);
    }
    return part;
}

void DocumentFill::fillNextPart()
{
    const QString part = nextPart();
    ownChange = true;
    if (firstPart) {
        view.setPlainText(part);
        firstPart = false;
    } else {
        QTextCursor end(view.document());
        end.movePosition(QTextCursor::End);
        end.insertText(part);
    }
    ownChange = false;
    if (done)
        finish();
    else
        scheduleNextPart();
}

void DocumentFill::scheduleNextPart() { QTimer::singleShot(0, this, &DocumentFill::fillNextPart); }

void DocumentFill::finish()
{
    if (!lastLine.isEmpty()) {
        ownChange = true;
        QTextCursor end(view.document());
        end.movePosition(QTextCursor::End);
        end.insertBlock();
        end.insertText(lastLine);
        ownChange = false;
    }
    setParent(nullptr);  // no longer found as the view's running fill
    deleteLater();
}

void DocumentFill::textChanged()
{
    if (ownChange)
        return;
    setParent(nullptr);
    deleteLater();
}
