#pragma once
// The bytes of a document file, for the windows that show documents (the viewer, the welcome
// window). Only a regular file is read: a directory holds no text, and opening a named pipe
// would wait for a writer. At most a largest size is read, so a huge file cannot take the
// memory; each window sets its own and handles what comes back in its own way.
#include <QByteArray>
#include <string>

struct DocumentFile {
    QByteArray bytes;      // from the start of the file, at most the largest size
    qint64 wholeSize = 0;  // the file's size, at least bytes' size
    // 0, or why there are no bytes: ENOENT no such file, EACCES no regular file or one that
    // cannot be opened, EIO a failed read.
    int error = 0;

    bool shortened() const { return wholeSize > bytes.size(); }

    static DocumentFile read(const std::string& path, qint64 largest);
};
