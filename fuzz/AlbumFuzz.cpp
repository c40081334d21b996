// Feeds arbitrary bytes to the album reader: no entry may hold a line end or a byte 0,
// the entries never hold more bytes than the file, and writing them back and reading
// that again gives the same entries.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/formats/AlbumFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = ParseAlbum(bytes);
    std::size_t total = 0;
    for (const std::string& entry : entries) {
        if (entry.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            std::abort();
        total += entry.size();
    }
    if (total > size)
        std::abort();
    if (ParseAlbum(ComposeAlbum(entries)) != entries)
        std::abort();
    return 0;
}
