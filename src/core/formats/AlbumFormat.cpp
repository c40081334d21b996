#include "core/formats/AlbumFormat.h"

#include "core/base/TextLines.h"

std::vector<std::string> ParseAlbum(std::string_view bytes)
{
    const std::vector<std::string_view> lines = SplitTextLines(bytes);
    return std::vector<std::string>(lines.begin(), lines.end());
}

std::string ComposeAlbum(std::span<const std::string> texts)
{
    std::size_t size = 0;
    for (const std::string& text : texts)
        size += text.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& text : texts) {
        if (HoldsLineBreakOrNul(text))
            continue;  // read back, it would be two entries, or cut short
        bytes += text;
        bytes += "\r\n";
    }
    return bytes;
}
