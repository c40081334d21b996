#pragma once
// Fills a plain-text view with a long text a part at a time, one part per turn of the event
// loop: building the whole text of a 16 MiB document at once would keep the window from
// answering for a second and more. Lines longer than DocumentView::kLongestParagraph are
// broken into shown paragraphs on the way. The fill belongs to the view (a child of it) and
// ends when it has filled the view, when a new fill starts, or when anything else changes the
// view's text.
#include <QObject>
#include <QString>

class QPlainTextEdit;

class DocumentFill : public QObject {
    Q_OBJECT
public:
    // Characters put into the view per turn of the event loop.
    static constexpr qsizetype kPartSize = 256 * 1024;

    // Replaces the view's text by the first part of text now, and schedules the rest.
    static void start(QPlainTextEdit& view, QString text, QString lastLine);
    static DocumentFill* runningIn(const QPlainTextEdit& view);

private:
    DocumentFill(QPlainTextEdit& view, QString text, QString lastLine);

    // The next part as shown paragraphs joined by line feeds.
    QString nextPart();
    void fillNextPart();
    void scheduleNextPart();
    void finish();
    void textChanged();

    QPlainTextEdit& view;
    const QString text;
    const QString lastLine;
    qsizetype position = 0;  // where the next part starts in text
    bool done = false;       // the last paragraph has been taken
    bool firstPart = true;
    bool ownChange = false;
};
