#pragma once
// What a picture file's first bytes say: which of our picture kinds it is, and for the
// kinds decoded outside Qt (PCX, placeable WMF) the size it will have once decoded, so that
// a file claiming enormous dimensions is refused before anything is allocated.
#include <cstdint>
#include <optional>
#include <string_view>

enum class PictureKind { Unknown, Bitmap, Icon, Metafile, Png, Jpeg, Pcx };

struct PictureSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

namespace PictureHeader {

// The kind the content's signature shows, or Unknown.
PictureKind kindOfContent(std::string_view bytes);

// A PCX file's size from its window corners; nothing when the header is short or reversed.
std::optional<PictureSize> pcxSize(std::string_view bytes);

// Whether a PCX file has at least as many bytes as its header's pixel rows need at best
// (a run of 63 bytes in two), so a cut file or a lying header allocates nothing.
bool pcxHoldsItsRows(std::string_view bytes);

// The size a placeable metafile renders at, at dotsPerInch: its frame in its own units
// over its units per inch. Nothing for a metafile without the placeable header.
std::optional<PictureSize> placeableMetafileSize(std::string_view bytes, double dotsPerInch);

}  // namespace PictureHeader
