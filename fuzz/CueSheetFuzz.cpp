// Feeds arbitrary bytes to the cue sheet check as the text of a disc image's sheet. It either
// refuses with its error or passes a sheet that libcdio can take: one data file, 1 to 99
// tracks, the last one starting inside what the times allow.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/base/SonorailError.h"
#include "core/cd/CueSheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const CueSheet sheet = CueSheet::parse(text);
        if (sheet.dataFile.empty() || sheet.numberOfTracks < 1 || sheet.numberOfTracks > CueSheet::kMostTracks ||
            sheet.lastTrackStart < 0 || (sheet.numberOfTracks > 1 && sheet.lastTrackStart == 0))
            std::abort();
    } catch (const SonorailError&) {
        // refused: what the check is for
    }
    return 0;
}
