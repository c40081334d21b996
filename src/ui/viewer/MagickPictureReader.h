#pragma once
// PCX and WMF pictures through GraphicsMagick (its coders, libwmf among them, built into
// the library): Qt has no reader for either, and a metafile needs a real renderer (libwmf).
#include <QByteArray>
#include <QImage>

#include "core/formats/PictureHeader.h"

namespace MagickPictureReader {

// The picture decoded as kind (Pcx or Metafile only; the coder is named, never guessed from
// the content), or a null image when it cannot be read or would pass maxPixels.
QImage read(const QByteArray& bytes, PictureKind kind, double dotsPerInch, std::int64_t maxPixels);

}  // namespace MagickPictureReader
