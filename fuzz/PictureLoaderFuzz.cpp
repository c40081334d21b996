// Feeds arbitrary bytes to the picture loader. The first byte picks the kind a file name
// would give (used when the content carries no known signature), so every decoder is
// reached: Qt's for BMP, ICO, PNG and JPEG, GraphicsMagick's for PCX and WMF.

#include <cstdint>
#include <cstdlib>

#include "ui/viewer/PictureLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const PictureKind kinds[] = {PictureKind::Bitmap, PictureKind::Icon, PictureKind::Metafile,
                                        PictureKind::Png,    PictureKind::Jpeg, PictureKind::Pcx};
    const PictureKind kindByName = kinds[data[0] % 6];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    // A smaller cap than the program's keeps pictures that pass it within the fuzzer's memory.
    constexpr qint64 kFuzzedPixels = 4 * 1024 * 1024;
    const QImage image = PictureLoader::decode(bytes, kindByName, 96, kFuzzedPixels);
    if (static_cast<qint64>(image.width()) * image.height() > kFuzzedPixels)
        std::abort();  // the cap was passed
    return 0;
}
