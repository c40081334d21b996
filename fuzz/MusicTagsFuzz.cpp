// Feeds arbitrary bytes, as each kind of music file, to the tag reader and everything built
// from its result: the tool tip, the File > Info text and the cover's file name. Whatever
// the bytes, nothing crashes and every text that reaches D-Bus or the window is UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/base/Utf8Text.h"
#include "core/queue/MusicTags.h"
#include "media/MusicTagReader.h"

namespace {

void requireUtf8(const std::string& text)
{
    if (!IsValidUtf8(text))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const char* const kExtensions[] = {".mp3", ".flac", ".ogg", ".opus", ".m4a", ".aac", ".wma", ".mp4"};
    if (size == 0)
        return 0;
    const std::string extension = kExtensions[data[0] % (sizeof kExtensions / sizeof *kExtensions)];
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const MusicTags tags = MusicTagReader::readBytes(bytes, extension);
    requireUtf8(MusicToolTip(tags));
    requireUtf8(MusicInfoText(tags));
    for (const std::string& artist : tags.artists)
        requireUtf8(artist);
    if (!tags.cover.empty() && CoverFileName(tags.cover, tags.coverMimeType).find('/') != std::string::npos)
        std::abort();
    return 0;
}
