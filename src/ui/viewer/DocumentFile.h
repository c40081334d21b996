#pragma once
// The bytes of a document file, for the windows that show documents (the viewer, the welcome
// window). Only a regular file is read: a directory holds no text, and opening a named pipe
// would wait for a writer. At most a largest size is read, so a huge file cannot take the
// memory.
#include <QByteArray>
#include <QString>
#include <string>

struct DocumentFile {
    QByteArray bytes;      // from the start of the file, at most the largest size
    qint64 wholeSize = 0;  // the file's size, at least bytes' size
    // 0, or why there are no bytes: ENOENT no such file, EACCES no regular file or one that
    // cannot be opened, EIO a failed read.
    int error = 0;

    bool shortened() const { return wholeSize > bytes.size(); }

    static DocumentFile read(const std::string& path, qint64 largest);

    // The most of a document a window shows.
    static constexpr qint64 kLargestShown = 16 * 1024 * 1024;
    // A document as a window shows it: at most kLargestShown bytes, and when that shortens it,
    // without the first bytes of a UTF-8 character the cut fell into (the rest of a UTF-8
    // document would otherwise no longer read as UTF-8).
    static DocumentFile readShown(const std::string& path);
    // The line a window shows under a shortened document.
    QString shortenedNotice() const;
};
