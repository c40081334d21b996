#include "ui/viewer/DocumentFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>

#include "core/base/RegularFile.h"

namespace {

void dropCutCharacter(QByteArray& bytes)
{
    for (qsizetype back = 1; back <= 4 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue;  // a continuation byte: its lead byte lies further back
        const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        if (length > back)
            bytes.chop(back);
        return;
    }
}

}  // namespace

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

DocumentFile DocumentFile::readShown(const std::string& path)
{
    DocumentFile document = read(path, kLargestShown);
    if (document.shortened())
        dropCutCharacter(document.bytes);
    return document;
}

QString DocumentFile::shortenedNotice() const
{
    return QStringLiteral("[Shortened: only the first %1 bytes (%2 MiB) of this document's %3 bytes are shown.]")
        .arg(kLargestShown)
        .arg(kLargestShown / (1024 * 1024))
        .arg(wholeSize);
}
