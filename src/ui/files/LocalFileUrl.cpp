#include "ui/files/LocalFileUrl.h"

std::optional<std::string> LocalFileBytes(const QUrl& url)
{
    if (!url.isLocalFile())
        return std::nullopt;
    QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    // As QUrl::toLocalFile: a file on another host is the network path //host/path.
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        path.prepend("//" + host.toUtf8());
    return path.toStdString();
}
