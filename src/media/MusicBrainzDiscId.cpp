#include "media/MusicBrainzDiscId.h"

#include <discid/discid.h>

#include <limits>
#include <memory>

#include "core/base/SonorailError.h"

namespace {

struct DiscIdFree {
    void operator()(DiscId* disc) const { discid_free(disc); }
};

constexpr int kMostTracks = 99;

// Every track after the one before it and before the lead-out.
bool inOrder(const DiscTableOfContents& toc)
{
    long previous = 0;
    for (const long start : toc.trackStarts) {
        if (start <= previous)
            return false;
        previous = start;
    }
    return previous < toc.leadOut && toc.leadOut <= std::numeric_limits<int>::max();
}

}  // namespace

std::string MusicBrainzDiscId::of(const DiscTableOfContents& toc)
{
    const auto trackCount = static_cast<int>(toc.trackStarts.size());
    if (trackCount == 0 || toc.firstTrack < 1 || toc.lastTrack > kMostTracks || toc.lastTrack < toc.firstTrack ||
        toc.lastTrack - toc.firstTrack + 1 != trackCount || !inOrder(toc))
        throw SonorailError("The disc's table of contents has no identifier");
    // libdiscid's layout: the lead-out first, then the start of track n at index n.
    int offsets[kMostTracks + 1] = {};
    offsets[0] = static_cast<int>(toc.leadOut);
    for (int index = 0; index < trackCount; ++index)
        offsets[toc.firstTrack + index] = static_cast<int>(toc.trackStarts[static_cast<std::size_t>(index)]);
    std::unique_ptr<DiscId, DiscIdFree> disc(discid_new());
    if (!disc || !discid_put(disc.get(), toc.firstTrack, toc.lastTrack, offsets))
        throw SonorailError("The disc's table of contents has no identifier");
    return discid_get_id(disc.get());
}
