#include "ui/help/window/HelpCollection.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEngine>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QTemporaryDir>

#include "core/base/RegularFile.h"

namespace {

// The book's pages lie in this folder of its namespace (sonorail.qhp says so).
constexpr auto kVirtualFolder = "doc";
// Which copy of the book the collection has registered and indexed.
constexpr auto kBookStampKey = "sonorail/book";

QString stampOf(const QFileInfo& book)
{
    return book.absoluteFilePath() + QLatin1Char('|') + QString::number(book.size()) + QLatin1Char('|') +
           QString::number(book.lastModified().toMSecsSinceEpoch());
}

// Opened without blocking, and only a regular file: a named pipe at the book's place must
// not hang the request.
bool readableFile(const QString& path)
{
    return RegularFile::checkReadable(QFile::encodeName(path).toStdString()) == 0;
}

// The collection and its full-text index folder (".sonorail" beside "sonorail.qhc").
void removeCollection(const QString& collectionFile)
{
    const QFileInfo info(collectionFile);
    QFile::remove(collectionFile);
    QDir(info.absolutePath() + QStringLiteral("/.") + info.completeBaseName()).removeRecursively();
}

}  // namespace

std::unique_ptr<HelpCollection> HelpCollection::open(const HelpViewerFiles& files, QString& error)
{
    if (!readableFile(files.book)) {
        error = QStringLiteral("Cannot open file ") + files.book;
        return nullptr;
    }
    const QFileInfo book(files.book);
    std::unique_ptr<HelpCollection> collection(new HelpCollection);
    collection->bookNamespace = QHelpEngineCore::namespaceName(book.absoluteFilePath());
    if (collection->bookNamespace.isEmpty()) {
        error = QStringLiteral("Cannot read the help book ") + files.book;
        return nullptr;
    }
    if (!collection->openEngine(files.collection)) {
        // No writable place there: a collection of this run only, indexed afresh.
        collection->fallbackFolder = std::make_unique<QTemporaryDir>();
        if (!collection->fallbackFolder->isValid() ||
            !collection->openEngine(collection->fallbackFolder->filePath(QStringLiteral("sonorail.qhc")))) {
            error = QStringLiteral("Cannot create file ") + files.collection;
            return nullptr;
        }
    }
    if (!collection->registerBook(files.book, error))
        return nullptr;
    // A new registration needs the set-up again; it builds the contents and the index and
    // starts the full-text indexing in the background.
    collection->helpEngine->setupData();
    return collection;
}

HelpCollection::~HelpCollection() = default;

bool HelpCollection::openEngine(const QString& collectionFile)
{
    if (!QDir().mkpath(QFileInfo(collectionFile).absolutePath()))
        return false;
    // Something other than a file in the collection's place (a named pipe would hang Qt
    // Help's open): the collection goes elsewhere.
    if (QFileInfo(collectionFile).exists() && !readableFile(collectionFile))
        return false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto engine = std::make_unique<QHelpEngine>(collectionFile);
        engine->setReadOnly(false);
        engine->searchEngine();  // made before the set-up, which then has it index the book
        if (engine->setupData()) {
            helpEngine = std::move(engine);
            return true;
        }
        // A damaged collection is only a cache of the book: start it afresh.
        engine.reset();
        removeCollection(collectionFile);
    }
    return false;
}

bool HelpCollection::registerBook(const QString& bookFile, QString& error)
{
    const QFileInfo book(bookFile);
    const QString path = book.absoluteFilePath();
    const QString stamp = stampOf(book);
    QHelpEngine& help = *helpEngine;
    const bool registered = help.registeredDocumentations().contains(bookNamespace);
    if (registered && help.documentationFileName(bookNamespace) == path &&
        help.customValue(QLatin1String(kBookStampKey)).toString() == stamp)
        return true;
    if (registered)
        help.unregisterDocumentation(bookNamespace);
    if (!help.registerDocumentation(path)) {
        error = QStringLiteral("Cannot read the help book ") + bookFile + QStringLiteral(": ") + help.error();
        return false;
    }
    help.setCustomValue(QLatin1String(kBookStampKey), stamp);
    help.searchEngine()->reindexDocumentation();
    return true;
}

QUrl HelpCollection::pageUrl(const QString& fileName) const
{
    return QUrl(QStringLiteral("qthelp://%1/%2/%3").arg(bookNamespace, QLatin1String(kVirtualFolder), fileName));
}

QUrl HelpCollection::topicUrl(int context) const
{
    const QString identifier = QStringLiteral("context-%1").arg(context, 2, 10, QLatin1Char('0'));
    const QList<QHelpLink> topics = helpEngine->documentsForIdentifier(identifier);
    return topics.isEmpty() ? QUrl() : topics.first().url;
}

QString HelpCollection::collectionFile() const { return helpEngine->collectionFile(); }
