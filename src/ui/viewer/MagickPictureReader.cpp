#include "ui/viewer/MagickPictureReader.h"

#include <dlfcn.h>
#include <magick/api.h>

#include <cstdio>
#include <mutex>

namespace {

// GraphicsMagick (with libheif, libjxl and twenty more libraries behind it) is loaded at the
// first PCX or WMF picture, not at program start: loading it costs about 30 ms of CPU, half
// the program's whole start-up budget. It is the system's library, opened by its soname as
// the dynamic linker would; only the few functions below are taken from it.
struct GraphicsMagick {
    decltype(&::InitializeMagick) initializeMagick = nullptr;
    decltype(&::SetMagickResourceLimit) setResourceLimit = nullptr;
    decltype(&::GetExceptionInfo) getExceptionInfo = nullptr;
    decltype(&::DestroyExceptionInfo) destroyExceptionInfo = nullptr;
    decltype(&::CloneImageInfo) cloneImageInfo = nullptr;
    decltype(&::DestroyImageInfo) destroyImageInfo = nullptr;
    decltype(&::CloneString) cloneString = nullptr;
    decltype(&::BlobToImage) blobToImage = nullptr;
    decltype(&::DispatchImage) dispatchImage = nullptr;
    decltype(&::DestroyImage) destroyImage = nullptr;
    bool loaded = false;
};

template <class Function>
bool take(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// Its own limits are a second guard behind our header checks (a metafile without a placeable
// header gives its size only to the renderer); it never spills a pixel cache to disk for us.
GraphicsMagick loadGraphicsMagick()
{
    GraphicsMagick magick;
    void* library = dlopen(SONORAIL_GRAPHICSMAGICK_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "sonorail: PCX and WMF pictures cannot be shown: %s\n", dlerror());
        return magick;
    }
    magick.loaded =
        take(library, "InitializeMagick", magick.initializeMagick) &&
        take(library, "SetMagickResourceLimit", magick.setResourceLimit) &&
        take(library, "GetExceptionInfo", magick.getExceptionInfo) &&
        take(library, "DestroyExceptionInfo", magick.destroyExceptionInfo) &&
        take(library, "CloneImageInfo", magick.cloneImageInfo) &&
        take(library, "DestroyImageInfo", magick.destroyImageInfo) &&
        take(library, "CloneString", magick.cloneString) && take(library, "BlobToImage", magick.blobToImage) &&
        take(library, "DispatchImage", magick.dispatchImage) && take(library, "DestroyImage", magick.destroyImage);
    if (!magick.loaded)
        return magick;
    magick.initializeMagick(nullptr);
    magick.setResourceLimit(WidthResource, 1 << 16);
    magick.setResourceLimit(HeightResource, 1 << 16);
    magick.setResourceLimit(DiskResource, 0);
    return magick;
}

const GraphicsMagick& graphicsMagick()
{
    static const GraphicsMagick magick = loadGraphicsMagick();  // the library stays loaded
    return magick;
}

// Everything one read holds from the library, given back whatever way the read ends.
class MagickRead {
public:
    explicit MagickRead(const GraphicsMagick& magick) : magick(magick)
    {
        magick.getExceptionInfo(&exception);
        info = magick.cloneImageInfo(nullptr);
    }
    ~MagickRead()
    {
        if (image != nullptr)
            magick.destroyImage(image);
        if (info != nullptr)
            magick.destroyImageInfo(info);
        magick.destroyExceptionInfo(&exception);
    }
    MagickRead(const MagickRead&) = delete;
    MagickRead& operator=(const MagickRead&) = delete;

    const GraphicsMagick& magick;
    ExceptionInfo exception;
    ImageInfo* info = nullptr;
    Image* image = nullptr;
};

QImage toQImage(MagickRead& read)
{
    const auto width = static_cast<int>(read.image->columns);
    const auto height = static_cast<int>(read.image->rows);
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGBA8888);
    if (image.isNull())
        return {};
    if (read.magick.dispatchImage(read.image, 0, 0, static_cast<unsigned long>(width),
                                  static_cast<unsigned long>(height), "RGBA", CharPixel, image.bits(),
                                  &read.exception) == MagickFail)
        return {};
    return image;
}

}  // namespace

namespace MagickPictureReader {

QImage read(const QByteArray& bytes, PictureKind kind, double dotsPerInch, std::int64_t maxPixels)
{
    if (kind != PictureKind::Pcx && kind != PictureKind::Metafile)
        return {};
    static std::mutex reading;  // the resource limit below is the library's, not the read's
    std::lock_guard lock(reading);
    const GraphicsMagick& magick = graphicsMagick();
    if (!magick.loaded)
        return {};
    magick.setResourceLimit(PixelsResource, static_cast<magick_int64_t>(maxPixels));
    MagickRead read(magick);
    if (read.info == nullptr)
        return {};
    // The coder is named, never guessed from the content. Warnings about oddities in a file
    // that still decodes stay in the exception record and are not failures.
    std::snprintf(read.info->magick, sizeof read.info->magick, "%s", kind == PictureKind::Pcx ? "PCX" : "WMF");
    if (kind == PictureKind::Metafile) {
        char density[64];
        const auto dots = static_cast<unsigned>(dotsPerInch);
        std::snprintf(density, sizeof density, "%ux%u", dots, dots);
        magick.cloneString(&read.info->density, density);
    }
    read.image =
        magick.blobToImage(read.info, bytes.constData(), static_cast<std::size_t>(bytes.size()), &read.exception);
    if (read.image == nullptr)
        return {};  // what cannot be read shows nothing
    if (static_cast<std::int64_t>(read.image->columns) * static_cast<std::int64_t>(read.image->rows) > maxPixels)
        return {};
    return toQImage(read);
}

}  // namespace MagickPictureReader
