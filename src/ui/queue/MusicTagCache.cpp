#include "ui/queue/MusicTagCache.h"

#include <QCoreApplication>
#include <QFile>
#include <QThreadPool>
#include <filesystem>
#include <system_error>

#include "core/base/AtomicFileWriter.h"
#include "core/base/ProgramPaths.h"
#include "core/formats/MediaKind.h"
#include "media/SystemMediaBackend.h"

namespace {

// Past this many files the cache starts afresh: a run through a huge collection keeps its
// memory bounded, and what is still wanted is read again.
constexpr std::size_t kMostFilesKept = 20000;

}  // namespace

MusicTagCache& MusicTagCache::instance()
{
    // A child of the application: it outlives every worker, since the application waits for
    // the global thread pool before it deletes its children.
    static MusicTagCache* cache = new MusicTagCache(QCoreApplication::instance());
    return *cache;
}

MusicTagCache::MusicTagCache(QObject* parent)
    : QObject(parent), coverFolder(CurrentProgramPaths().cacheDir() + "covers/")
{
}

void MusicTagCache::setCoverFolder(std::string folder) { coverFolder = std::move(folder); }

const KnownMusic* MusicTagCache::lookUp(const std::string& path)
{
    if (const auto found = known.find(path); found != known.end())
        return &found->second;
    if (pending.insert(path).second) {
        QThreadPool::globalInstance()->start([this, path] {
            KnownMusic read = readAndStore(path);
            QMetaObject::invokeMethod(
                this, [this, path, read = std::move(read)]() mutable { remember(path, std::move(read)); },
                Qt::QueuedConnection);
        });
    }
    return nullptr;
}

const KnownMusic& MusicTagCache::readNow(const std::string& path)
{
    if (const auto found = known.find(path); found != known.end())
        return found->second;
    remember(path, readAndStore(path));
    return known.at(path);
}

void MusicTagCache::remember(const std::string& path, KnownMusic read)
{
    pending.erase(path);
    if (known.size() >= kMostFilesKept)
        known.clear();
    known[path] = std::move(read);
    emit tagsRead(QFile::decodeName(QByteArray::fromStdString(path)));
}

// Runs on a worker: touches nothing of the cache but its cover folder, which is set before
// the first read.
KnownMusic MusicTagCache::readAndStore(const std::string& path) const
{
    KnownMusic result;
    result.tags = ReadSystemMusicTags(path);
    if (!result.tags.cover.empty() && !coverFolder.empty()) {
        const std::string art = coverFolder + CoverFileName(result.tags.cover, result.tags.coverMimeType);
        std::error_code error;
        if (std::filesystem::exists(art, error)) {
            result.artPath = art;
        } else {
            std::filesystem::create_directories(coverFolder, error);
            try {
                AtomicFileWriter::replace(art, result.tags.cover);
                result.artPath = art;
            } catch (const std::system_error&) {
                // No cover file where the cache cannot be written: the music still plays.
            }
        }
    }
    if (result.artPath.empty())
        result.artPath = CoverBeside(path);
    result.tags.cover.clear();
    result.tags.cover.shrink_to_fit();
    return result;
}

QVariant MusicToolTipOf(const std::string& path)
{
    if (ClassifyEntry(path) != MediaKind::Music)
        return {};
    const std::string tip = MusicToolTip(MusicTagCache::instance().readNow(path).tags);
    return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
}
