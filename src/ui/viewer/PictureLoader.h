#pragma once
// The one loader the viewer asks for any of its picture kinds: BMP, ICO, PNG and JPEG
// through Qt's image readers, PCX and WMF through GraphicsMagick. Every kind shares one
// cap on the decoded size, checked from the header before decoding.
#include <QByteArray>
#include <QImage>
#include <QString>

#include "core/formats/PictureHeader.h"

class PictureLoader {
public:
    // 256 MiB of 32-bit pixels: 64 million pixels, a 8000 x 8000 picture.
    static constexpr qint64 kLargestDecodedBytes = 256LL * 1024 * 1024;
    static constexpr qint64 kMostPixels = kLargestDecodedBytes / 4;
    // A file larger than this is not read at all (an uncompressed bitmap at the cap).
    static constexpr qint64 kLargestFile = kLargestDecodedBytes + 1024 * 1024;

    // The picture in the file, or a null image when the file cannot be read or decoded.
    // The content's signature chooses the decoder; the name's extension when it has none.
    static QImage load(const QString& path, double dotsPerInch = 96);
    // The picture in bytes; kindByName is used only when the content has no known signature.
    // A smaller cap than the program's may be given (the fuzzer does, to stay within its memory).
    static QImage decode(const QByteArray& bytes, PictureKind kindByName = PictureKind::Unknown,
                         double dotsPerInch = 96, qint64 maxPixels = kMostPixels);
    // The kind of a file name's extension (".BMP", ".ICO"... in any case), or Unknown.
    static PictureKind kindOfName(const QString& path);

private:
    static QImage decodeWithQt(const QByteArray& bytes, PictureKind kind, qint64 maxPixels);
};
