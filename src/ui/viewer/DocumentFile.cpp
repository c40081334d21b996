#include "ui/viewer/DocumentFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <filesystem>

DocumentFile DocumentFile::read(const std::string& path, qint64 largest)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return {{}, 0, EACCES};
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.open(QIODevice::ReadOnly))
        return {{}, 0, file.error() == QFileDevice::OpenError && !file.exists() ? ENOENT : EACCES};
    DocumentFile document{file.read(largest), 0, 0};
    if (file.error() != QFileDevice::NoError)
        return {{}, 0, EIO};
    document.wholeSize = std::max(file.size(), static_cast<qint64>(document.bytes.size()));
    return document;
}
