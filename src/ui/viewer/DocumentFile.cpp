#include "ui/viewer/DocumentFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>

#include "core/base/RegularFile.h"

DocumentFile DocumentFile::read(const std::string& path, qint64 largest)
{
    UniqueFd descriptor;
    if (const int error = RegularFile::openForReading(path, descriptor))
        return {{}, 0, error == ENOENT || error == ENOTDIR ? ENOENT : EACCES};
    QFile file;
    if (!file.open(descriptor.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return {{}, 0, EACCES};
    DocumentFile document{file.read(largest), 0, 0};
    if (file.error() != QFileDevice::NoError)
        return {{}, 0, EIO};
    document.wholeSize = std::max(file.size(), static_cast<qint64>(document.bytes.size()));
    return document;
}
