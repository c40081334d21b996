#include "core/formats/M3uPlaylist.h"

#include "core/formats/PlaylistText.h"
#include "core/base/TextLines.h"
#include "core/formats/MediaKind.h"
#include "core/base/AsciiText.h"

namespace {

// An absolute path that reads back the same from a plain line.
bool survivesAsPlainLine(std::string_view text)
{
    return text.starts_with('/') && text.find_first_of("\r\n") == std::string_view::npos && TrimBlanks(text) == text;
}

}  // namespace

std::vector<std::string> ReadM3u(std::string_view bytes, std::string_view playlistDirectory, M3uCharset charset)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    bytes = WithoutByteOrderMark(bytes);
    // A .m3u8 is taken as it is: names that are not valid UTF-8 are still the file system's bytes.
    const std::string text = charset == M3uCharset::Utf8 ? std::string(bytes) : Utf8FromUtf8OrLatin1(bytes);
    std::vector<std::string> files;
    for (std::string_view line : SplitTextLines(text)) {
        line = TrimBlanks(line);
        if (line.empty() || line.starts_with('#'))
            continue;
        if (std::optional<std::string> path = ResolvePlaylistLocation(line, playlistDirectory))
            files.push_back(std::move(*path));
    }
    return files;
}

std::string ComposeM3u8(std::span<const std::string> texts)
{
    std::string bytes = "#EXTM3U\n";
    for (const std::string& text : texts) {
        if (ClassifyEntry(text) == MediaKind::CdTrack)
            continue;
        bytes += survivesAsPlainLine(text) ? text : FileUrlFromPath(text);
        bytes += '\n';
    }
    return bytes;
}
