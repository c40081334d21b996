#pragma once
// A picture compiled into the program as its pixels (made at build time from the art), which
// Qt takes without reading or decoding a file: no image reader runs at start-up for it.
#include <QImage>
#include <QPixmap>
#include <cstdint>

struct PixelPicture {
    int width = 0;
    int height = 0;
    bool opaque = true;  // RGB32 pixels; otherwise premultiplied ARGB32
    const std::uint32_t* pixels = nullptr;

    // Shares the compiled-in pixels: nothing is copied until the image is changed. A null
    // image for an empty entry.
    QImage image() const;
    QPixmap pixmap() const { return QPixmap::fromImage(image()); }
};
