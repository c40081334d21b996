// Feeds arbitrary bytes to the M3U reader in both character-set modes: every file it gives
// is an absolute path without a byte 0, and an M3U8 written from them reads back the same
// (CD tracks aside, which M3U8 leaves out).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/formats/M3uPlaylist.h"
#include "core/formats/MediaKind.h"

namespace {

void check(std::string_view bytes, M3uCharset charset)
{
    const std::vector<std::string> files = ReadM3u(bytes, "/playlists/here", charset);
    std::vector<std::string> expected;
    for (const std::string& file : files) {
        if (!file.starts_with('/') || file.find('\0') != std::string::npos)
            std::abort();
        if (ClassifyEntry(file) != MediaKind::CdTrack)
            expected.push_back(file);
    }
    if (ReadM3u(ComposeM3u8(files), "/elsewhere", M3uCharset::Utf8) != expected)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(bytes, M3uCharset::Utf8);
    check(bytes, M3uCharset::Utf8OrLatin1);
    return 0;
}
