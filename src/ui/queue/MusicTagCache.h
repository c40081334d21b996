#pragma once
// The tags of music files, read once and kept for the run: for the tool tips of the file list
// and the queue, the desktop's media controls and the cover in the main window. A read that
// nobody waits for runs on a worker thread, so a slow disk never holds up the window; a
// cover embedded in a file is written once into the user's cache folder, where desktop
// panels can show it.
#include <QObject>
#include <QString>
#include <QVariant>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/queue/MusicTags.h"

struct KnownMusic {
    MusicTags tags;       // without the cover's bytes
    std::string artPath;  // the cover as a file (written from the tags, or beside the music); empty if none
};

class MusicTagCache : public QObject {
    Q_OBJECT
public:
    // The program's one cache, made at its first use.
    static MusicTagCache& instance();

    // What is known of path, or nullptr while it has not been read; then a read starts on a
    // worker and tagsRead follows.
    const KnownMusic* lookUp(const std::string& path);
    // What is known of path, read here and now when it has not been (tool tips: the user asked).
    const KnownMusic& readNow(const std::string& path);

    // Where covers are written; the user's cache folder unless a test says otherwise.
    void setCoverFolder(std::string folder);

signals:
    void tagsRead(const QString& path);

private:
    explicit MusicTagCache(QObject* parent);
    KnownMusic readAndStore(const std::string& path) const;
    void remember(const std::string& path, KnownMusic known);

    std::string coverFolder;
    std::unordered_map<std::string, KnownMusic> known;
    std::unordered_set<std::string> pending;
};

// The tool tip of a list row naming path: "Artist - Title (Album, m:ss)" for a music file
// with tags, read at the first asking; nothing for any other row.
QVariant MusicToolTipOf(const std::string& path);
