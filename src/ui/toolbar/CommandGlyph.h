#pragma once
// The glyph of a command on a toolbar button. The bitmap of the command's number (the art's
// glyphs/btnN.bmp, compiled in) holds two 16 x 16 images side by side: the normal glyph and the
// greyed one shown while the command is disabled. The colour of its bottom-left pixel is the
// transparent one.
#include <QIcon>
#include <QImage>
#include <QSize>

class CommandGlyph {
public:
    static constexpr QSize kSize{16, 16};

    // Both images as one icon (its Disabled mode is the greyed glyph); an empty icon for a
    // number that has no glyph (0, 31, anything outside 1 to 34).
    static QIcon forCommand(int number);

    // The bitmap with its key colour made transparent; a null image when there is none.
    static QImage keyedBitmap(int number);
};
