#pragma once
// The help book opened for reading: Qt Help's engine over a collection file of our own.
// The collection names the book by its absolute path and keeps the full-text index in a
// folder beside itself, so it lives in a writable place even when the book is installed
// read-only; a book replaced by a newer one at the same place is registered and indexed
// again.
#include <QString>
#include <QUrl>
#include <memory>

#include "ui/help/HelpViewer.h"

class QHelpEngine;
class QTemporaryDir;

class HelpCollection {
public:
    // The book ready for reading, or nullptr with the reason in error ("Cannot open file
    // ..." when the book is missing or unreadable, "Cannot read the help book ..." when it is
    // no help book at all).
    static std::unique_ptr<HelpCollection> open(const HelpViewerFiles& files, QString& error);
    ~HelpCollection();

    QHelpEngine& engine() const { return *helpEngine; }
    // The address of one of the book's pages ("contents.html").
    QUrl pageUrl(const QString& fileName) const;
    // The page of a help context number (2 to 57), or an empty address when the book has none.
    QUrl topicUrl(int context) const;
    // Where the collection file ended up (a temporary folder when the asked place is not writable).
    QString collectionFile() const;

private:
    HelpCollection() = default;
    bool openEngine(const QString& collectionFile);
    bool registerBook(const QString& bookFile, QString& error);

    std::unique_ptr<QTemporaryDir> fallbackFolder;  // only when the asked place is not writable
    std::unique_ptr<QHelpEngine> helpEngine;
    QString bookNamespace;
};
