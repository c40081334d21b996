// Feeds arbitrary bytes to the tips-file reader: it either refuses the count line with the
// one error or gives tips that are lines of the file, never more than the count asks for,
// none holding a line end or a byte 0.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/base/SonorailError.h"
#include "core/formats/TipOfDayFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const TipOfDayFile tips(bytes);
        std::size_t total = 0;
        for (std::size_t index = 0; index < tips.count(); ++index) {
            const std::string& tip = tips.tip(index);
            if (tip.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
                std::abort();
            total += tip.size();
        }
        if (total > size || tips.count() > size)
            std::abort();
    } catch (const SonorailError& error) {
        if (std::string_view(error.what()).find("is not a valid integer value") == std::string_view::npos)
            std::abort();
    }
    return 0;
}
