#pragma once
// The program's own pictures, compiled in at build time from the art in src/resources
// (tools/embed-pictures.cpp; the list is in src/CMakeLists.txt).
#include <span>

#include "ui/pictures/PixelPicture.h"

namespace BuiltInPictures {

// The program's icon for its windows at 16, 24, 32, 48 and 64 pixels, the desktop entry's own.
extern const std::span<const PixelPicture> programIcon;
// The animated icon's strip as shipped ("icons.bmp"): the file's bytes, and its pixels.
extern const std::span<const unsigned char> iconStripFile;
extern const PixelPicture iconStrip;
// The toolbar's glyph bitmaps by command number, 0 to 34 (an empty one where a number has none).
extern const std::span<const PixelPicture> toolbarGlyphs;

}  // namespace BuiltInPictures
