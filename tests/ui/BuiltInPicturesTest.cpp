// The pictures compiled into the program are the art they are made from, pixel for pixel.
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

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

}  // namespace
