#include "ui/toolbar/CommandGlyph.h"

#include <QPixmap>

#include "ui/pictures/BuiltInPictures.h"

// The bitmaps are compiled in as their pixels: no picture file is read or decoded for them.
QImage CommandGlyph::keyedBitmap(int number)
{
    const std::span<const PixelPicture> glyphs = BuiltInPictures::toolbarGlyphs;
    if (number < 0 || static_cast<std::size_t>(number) >= glyphs.size())
        return {};
    QImage bitmap = glyphs[static_cast<std::size_t>(number)].image();
    if (bitmap.isNull() || bitmap.width() < 2 * kSize.width() || bitmap.height() < kSize.height())
        return {};
    bitmap = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = bitmap.pixel(0, bitmap.height() - 1);
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x) {
            if (row[x] == key)
                row[x] = qRgba(0, 0, 0, 0);
        }
    }
    return bitmap;
}

QIcon CommandGlyph::forCommand(int number)
{
    const QImage bitmap = keyedBitmap(number);
    if (bitmap.isNull())
        return {};
    QIcon glyph;
    glyph.addPixmap(QPixmap::fromImage(bitmap.copy(QRect(QPoint(0, 0), kSize))), QIcon::Normal);
    glyph.addPixmap(QPixmap::fromImage(bitmap.copy(QRect(QPoint(kSize.width(), 0), kSize))), QIcon::Disabled);
    return glyph;
}
