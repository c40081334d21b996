// The pictures compiled into the program are the art they are made from, pixel for pixel; a
// strip of the user's own in place of the shipped one still turns with its own frames.
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "ui/mainwindow/IconFrameView.h"
#include "ui/pictures/BuiltInPictures.h"

namespace {

const QString kArt = QStringLiteral(SONORAIL_ART);

TEST(BuiltInPicturesTest, WindowIconHasEverySizeOfTheDesktopEntrysIcon)
{
    const int sizes[] = {16, 24, 32, 48, 64};
    ASSERT_EQ(BuiltInPictures::programIcon.size(), std::size(sizes));
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        const QString file = kArt + QStringLiteral("/icons/hicolor/%1x%1/apps/sonorail.png").arg(sizes[i]);
        EXPECT_EQ(BuiltInPictures::programIcon[i].image(),
                  QImage(file).convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << sizes[i];
    }
}

TEST(BuiltInPicturesTest, ToolbarGlyphsAreTheirBitmapsByCommandNumber)
{
    ASSERT_EQ(BuiltInPictures::toolbarGlyphs.size(), 35u);
    for (int number = 0; number < 35; ++number) {
        const QImage bitmap(kArt + QStringLiteral("/glyphs/btn%1.bmp").arg(number));
        EXPECT_EQ(BuiltInPictures::toolbarGlyphs[static_cast<std::size_t>(number)].image(),
                  bitmap.isNull() ? QImage() : bitmap.convertToFormat(QImage::Format_RGB32))
            << number;
    }
}

// The frames the icon shows in turn, as the strip's file holds them.
void expectTurnsThroughFramesOf(const std::string& strip)
{
    IconFrameView icon;
    icon.loadStrip(strip);
    const QImage file(QString::fromStdString(strip));
    for (int frame : {1, 2, 3, 0}) {
        icon.showFrame(frame);
        EXPECT_EQ(icon.frame().toImage().convertToFormat(QImage::Format_RGB32),
                  file.copy(32 * frame, 0, 32, 32).convertToFormat(QImage::Format_RGB32))
            << strip << " frame " << frame;
    }
}

TEST(BuiltInPicturesTest, ShippedStripAndAStripOfTheUsersOwnTurnThroughTheirFrames)
{
    expectTurnsThroughFramesOf((kArt + QStringLiteral("/icons.bmp")).toStdString());

    TempDir home;
    QImage own(128, 32, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(200, 200, 0)};
    for (int x = 0; x < own.width(); ++x)
        for (int y = 0; y < own.height(); ++y)
            own.setPixel(x, y, x % 32 == y ? qRgb(255, 255, 255) : colours[x / 32]);
    ASSERT_TRUE(own.save(QString::fromStdString(home.file("icons.bmp")), "BMP"));
    expectTurnsThroughFramesOf(home.file("icons.bmp"));
}

}  // namespace
