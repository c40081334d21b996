#include "ui/viewer/PictureLoader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "ui/viewer/MagickPictureReader.h"
#include "core/base/RegularFile.h"
#include "core/formats/MediaKind.h"

namespace {

bool withinCap(const QSize& size, qint64 maxPixels)
{
    return size.width() > 0 && size.height() > 0 && static_cast<qint64>(size.width()) * size.height() <= maxPixels;
}

bool withinCap(const std::optional<PictureSize>& size, qint64 maxPixels)
{
    return size && size->width > 0 && size->height > 0 && size->width <= maxPixels &&
           size->width * size->height <= maxPixels;
}

const char* qtFormat(PictureKind kind)
{
    switch (kind) {
        case PictureKind::Bitmap:
            return "bmp";
        case PictureKind::Icon:
            return "ico";
        case PictureKind::Png:
            return "png";
        case PictureKind::Jpeg:
            return "jpeg";
        default:
            return nullptr;
    }
}

int bitsPerPixel(QImage::Format format)
{
    return format == QImage::Format_Invalid ? 0 : QImage::toPixelFormat(format).bitsPerPixel();
}

// An icon file holds several pictures: the largest is shown, the deepest of equal ones.
bool jumpToLargestIcon(QImageReader& reader, qint64 maxPixels)
{
    int best = -1;
    qint64 bestArea = 0;
    int bestDepth = 0;
    const int count = std::min(reader.imageCount(), 256);
    for (int index = 0; index < count; ++index) {
        if (!reader.jumpToImage(index))
            break;
        const QSize size = reader.size();
        if (!withinCap(size, maxPixels))
            continue;
        const qint64 area = static_cast<qint64>(size.width()) * size.height();
        const int depth = bitsPerPixel(reader.imageFormat());
        if (area > bestArea || (area == bestArea && depth > bestDepth)) {
            best = index;
            bestArea = area;
            bestDepth = depth;
        }
    }
    return best >= 0 && reader.jumpToImage(best);
}

}  // namespace

// The kinds of names the queue takes as pictures.
PictureKind PictureLoader::kindOfName(const QString& path)
{
    switch (ClassifyEntry(QFile::encodeName(path).toStdString())) {
        case MediaKind::Bitmap:
            return PictureKind::Bitmap;
        case MediaKind::Icon:
            return PictureKind::Icon;
        case MediaKind::Metafile:
            return PictureKind::Metafile;
        case MediaKind::Png:
            return PictureKind::Png;
        case MediaKind::Jpeg:
            return PictureKind::Jpeg;
        case MediaKind::Pcx:
            return PictureKind::Pcx;
        default:
            return PictureKind::Unknown;
    }
}

QImage PictureLoader::load(const QString& path, double dotsPerInch)
{
    UniqueFd descriptor;
    if (RegularFile::openForReading(QFile::encodeName(path).toStdString(), descriptor) != 0)
        return {};
    QFile file;
    if (!file.open(descriptor.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle) || file.size() > kLargestFile)
        return {};
    const QByteArray bytes = file.read(kLargestFile);
    if (file.error() != QFileDevice::NoError)
        return {};  // a directory, a device that fails: nothing to show
    return decode(bytes, kindOfName(path), dotsPerInch);
}

QImage PictureLoader::decode(const QByteArray& bytes, PictureKind kindByName, double dotsPerInch, qint64 maxPixels)
{
    const std::string_view content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    PictureKind kind = PictureHeader::kindOfContent(content);
    if (kind == PictureKind::Unknown)
        kind = kindByName;
    switch (kind) {
        case PictureKind::Pcx:
            if (!withinCap(PictureHeader::pcxSize(content), maxPixels) || !PictureHeader::pcxHoldsItsRows(content))
                return {};
            return MagickPictureReader::read(bytes, kind, dotsPerInch, maxPixels);
        case PictureKind::Metafile: {
            // Only a placeable metafile states its size; the renderer's own pixel limit guards the rest.
            const auto size = PictureHeader::placeableMetafileSize(content, dotsPerInch);
            if (size && !withinCap(size, maxPixels))
                return {};
            return MagickPictureReader::read(bytes, kind, dotsPerInch, maxPixels);
        }
        case PictureKind::Unknown:
            return {};
        default:
            return decodeWithQt(bytes, kind, maxPixels);
    }
}

QImage PictureLoader::decodeWithQt(const QByteArray& bytes, PictureKind kind, qint64 maxPixels)
{
    QImageReader::setAllocationLimit(static_cast<int>(kLargestDecodedBytes / (1024 * 1024)));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, qtFormat(kind));
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true);  // a photo stands the way its camera's orientation tag says
    if (kind == PictureKind::Icon) {
        if (!jumpToLargestIcon(reader, maxPixels))
            return {};
    } else if (reader.supportsOption(QImageIOHandler::Size) && !withinCap(reader.size(), maxPixels)) {
        return {};
    }
    return reader.read();
}
