// The toolbar's glyphs as a slot shows them: the left half normally, the right half while
// its command is disabled, the key colour transparent.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include "core/commands/CommandTable.h"
#include "ui/toolbar/CommandGlyph.h"

namespace {

QImage shown(const QIcon& glyph, QIcon::Mode mode)
{
    return glyph.pixmap(CommandGlyph::kSize, mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(CommandGlyphTest, EveryCommandHasANormalAndAGreyedGlyphWithItsKeyColourTransparent)
{
    for (Command command : CommandTable::allCommands()) {
        const int number = CommandNumber(command);
        const QImage bitmap = CommandGlyph::keyedBitmap(number);
        ASSERT_EQ(bitmap.size(), QSize(32, 16)) << number;
        EXPECT_EQ(qAlpha(bitmap.pixel(0, 15)), 0) << number << ": the key colour is transparent";
        EXPECT_EQ(qAlpha(bitmap.pixel(16, 15)), 0) << number << ": in both halves";
        bool magentaLeft = false;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x)
                magentaLeft |= bitmap.pixel(x, y) == qRgb(255, 0, 255);
        EXPECT_FALSE(magentaLeft) << number;

        const QIcon glyph = CommandGlyph::forCommand(number);
        EXPECT_EQ(shown(glyph, QIcon::Normal), bitmap.copy(0, 0, 16, 16)) << number;
        EXPECT_EQ(shown(glyph, QIcon::Disabled), bitmap.copy(16, 0, 16, 16)) << number;
        EXPECT_NE(shown(glyph, QIcon::Normal), shown(glyph, QIcon::Disabled)) << number << ": greyed differs";
    }
}

TEST(CommandGlyphTest, NumbersWithoutACommandHaveAnEmptyGlyph)
{
    for (int number : {-12, 0, 31, 35, 0x7f})
        EXPECT_TRUE(CommandGlyph::forCommand(number).isNull()) << number;
}

}  // namespace
