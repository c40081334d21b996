// Feeds arbitrary bytes to the PLS reader: every file it gives is an absolute path without
// a byte 0, and never more files than the text has lines.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/formats/PlsPlaylist.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> files = ReadPls(bytes, "/playlists/here");
    for (const std::string& file : files) {
        if (!file.starts_with('/') || file.find('\0') != std::string::npos)
            std::abort();
    }
    if (files.size() > size / 7 + 1)  // "File1=x" is the shortest entry
        std::abort();
    return 0;
}
