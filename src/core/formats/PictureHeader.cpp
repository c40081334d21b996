#include "core/formats/PictureHeader.h"

#include <cmath>
#include <cstdlib>

namespace {

unsigned littleEndian16(std::string_view bytes, std::size_t offset)
{
    return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1]) << 8;
}

int signed16(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::int16_t>(littleEndian16(bytes, offset));
}

bool startsWith(std::string_view bytes, std::string_view signature)
{
    return bytes.substr(0, signature.size()) == signature;
}

constexpr std::string_view kPlaceableKey("\xD7\xCD\xC6\x9A", 4);

bool isPcx(std::string_view bytes)
{
    if (bytes.size() < 128 || bytes[0] != 0x0A)
        return false;
    const int version = bytes[1];
    const int encoding = bytes[2];
    const int bitsPerPlane = bytes[3];
    return (version == 0 || (version >= 2 && version <= 5)) && (encoding == 0 || encoding == 1) &&
           (bitsPerPlane == 1 || bitsPerPlane == 2 || bitsPerPlane == 4 || bitsPerPlane == 8);
}

bool isStandardMetafile(std::string_view bytes)
{
    if (bytes.size() < 18)
        return false;
    const unsigned type = littleEndian16(bytes, 0);
    return (type == 1 || type == 2) && littleEndian16(bytes, 2) == 9;
}

}  // namespace

namespace PictureHeader {

PictureKind kindOfContent(std::string_view bytes)
{
    if (startsWith(bytes, "\x89PNG\r\n\x1a\n"))
        return PictureKind::Png;
    if (startsWith(bytes, "\xFF\xD8\xFF"))
        return PictureKind::Jpeg;
    if (startsWith(bytes, "BM"))
        return PictureKind::Bitmap;
    if (startsWith(bytes, std::string_view("\0\0\1\0", 4)) || startsWith(bytes, std::string_view("\0\0\2\0", 4)))
        return PictureKind::Icon;
    if (startsWith(bytes, kPlaceableKey) || isStandardMetafile(bytes))
        return PictureKind::Metafile;
    if (isPcx(bytes))
        return PictureKind::Pcx;
    return PictureKind::Unknown;
}

std::optional<PictureSize> pcxSize(std::string_view bytes)
{
    if (bytes.size() < 128)
        return std::nullopt;
    const std::int64_t left = littleEndian16(bytes, 4);
    const std::int64_t top = littleEndian16(bytes, 6);
    const std::int64_t right = littleEndian16(bytes, 8);
    const std::int64_t bottom = littleEndian16(bytes, 10);
    if (right < left || bottom < top)
        return std::nullopt;
    return PictureSize{right - left + 1, bottom - top + 1};
}

bool pcxHoldsItsRows(std::string_view bytes)
{
    const auto size = pcxSize(bytes);
    if (!size)
        return false;
    const std::int64_t planes = static_cast<unsigned char>(bytes[65]);
    const std::int64_t bytesPerLine = littleEndian16(bytes, 66);
    const std::int64_t rowBytes = planes * bytesPerLine * size->height;
    const bool runLengthEncoded = bytes[2] == 1;
    const std::int64_t least = runLengthEncoded ? (rowBytes + 62) / 63 * 2 : rowBytes;
    return static_cast<std::int64_t>(bytes.size()) - 128 >= least;
}

std::optional<PictureSize> placeableMetafileSize(std::string_view bytes, double dotsPerInch)
{
    if (bytes.size() < 22 || !startsWith(bytes, kPlaceableKey))
        return std::nullopt;
    const int left = signed16(bytes, 6);
    const int top = signed16(bytes, 8);
    const int right = signed16(bytes, 10);
    const int bottom = signed16(bytes, 12);
    const unsigned unitsPerInch = littleEndian16(bytes, 14);
    if (unitsPerInch == 0)
        return std::nullopt;
    const auto pixels = [&](int units) {
        return static_cast<std::int64_t>(std::ceil(std::abs(units) * dotsPerInch / unitsPerInch));
    };
    return PictureSize{pixels(right - left), pixels(bottom - top)};
}

}  // namespace PictureHeader
