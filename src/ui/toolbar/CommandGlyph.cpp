#include "ui/toolbar/CommandGlyph.h"

#include <QPixmap>
#include <QString>

// The glyphs are compiled into the static ui library, whose linker would drop them unless
// something refers to them. (Outside any namespace, as Q_INIT_RESOURCE wants.)
static void registerGlyphResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(glyphs);
        return true;
    }();
    (void)registered;
}

QImage CommandGlyph::keyedBitmap(int number)
{
    registerGlyphResources();
    QImage bitmap(QStringLiteral(":/glyphs/btn%1").arg(number));
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
