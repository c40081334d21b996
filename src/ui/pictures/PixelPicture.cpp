#include "ui/pictures/PixelPicture.h"

QImage PixelPicture::image() const
{
    if (!pixels)
        return {};
    return QImage(reinterpret_cast<const uchar*>(pixels), width, height, width * static_cast<int>(sizeof(*pixels)),
                  opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
}
