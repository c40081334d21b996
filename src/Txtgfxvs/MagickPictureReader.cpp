#include "MagickPictureReader.h"

#include <Magick++.h>

#include <mutex>

namespace {

// GraphicsMagick keeps its own limits as a second guard behind our header checks (a
// metafile without a placeable header gives its size only to the renderer). It never
// spills a pixel cache to disk for us.
void initialiseMagick(std::int64_t maxPixels)
{
    static std::once_flag once;
    std::call_once(once, [] {
        Magick::InitializeMagick(nullptr);
        MagickLib::SetMagickResourceLimit(MagickLib::WidthResource, 1 << 16);
        MagickLib::SetMagickResourceLimit(MagickLib::HeightResource, 1 << 16);
        MagickLib::SetMagickResourceLimit(MagickLib::DiskResource, 0);
    });
    MagickLib::SetMagickResourceLimit(MagickLib::PixelsResource, maxPixels);
}

QImage toQImage(Magick::Image& picture)
{
    const auto width = static_cast<int>(picture.columns());
    const auto height = static_cast<int>(picture.rows());
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGBA8888);
    if (image.isNull())
        return {};
    picture.write(0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), "RGBA", Magick::CharPixel,
                  image.bits());
    return image;
}

}  // namespace

namespace MagickPictureReader {

QImage read(const QByteArray& bytes, PictureKind kind, double dotsPerInch, std::int64_t maxPixels)
{
    if (kind != PictureKind::Pcx && kind != PictureKind::Metafile)
        return {};
    initialiseMagick(maxPixels);
    try {
        Magick::Image picture;
        picture.quiet(true);  // warnings about oddities in a file that still decodes are not failures
        if (kind == PictureKind::Metafile)
            picture.density(Magick::Geometry(static_cast<unsigned>(dotsPerInch), static_cast<unsigned>(dotsPerInch)));
        picture.magick(kind == PictureKind::Pcx ? "PCX" : "WMF");
        picture.read(Magick::Blob(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (static_cast<std::int64_t>(picture.columns()) * static_cast<std::int64_t>(picture.rows()) > maxPixels)
            return {};
        return toQImage(picture);
    } catch (const std::exception&) {
        return {};  // what cannot be read shows nothing
    }
}

}  // namespace MagickPictureReader
