#include "media/MusicBrainzDiscId.h"

#include <discid/discid.h>
#include <dlfcn.h>

#include <limits>
#include <memory>

#include "core/base/SonorailError.h"

namespace {

constexpr int kMostTracks = 99;

// libdiscid is opened at the first identifier (few runs ever look a disc up), so that
// start-up does not load it; its headers are used at build time only.
struct LibDiscId {
    decltype(&::discid_new) newDisc = nullptr;
    decltype(&::discid_free) freeDisc = nullptr;
    decltype(&::discid_put) put = nullptr;
    decltype(&::discid_get_id) getId = nullptr;
};

template <class Function>
bool take(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

LibDiscId loadLibDiscId()
{
    void* library = dlopen(SONORAIL_DISCID_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        throw SonorailError(std::string("libdiscid cannot be loaded: ") + dlerror());
    LibDiscId lib;
    if (!take(library, "discid_new", lib.newDisc) || !take(library, "discid_free", lib.freeDisc) ||
        !take(library, "discid_put", lib.put) || !take(library, "discid_get_id", lib.getId))
        throw SonorailError("libdiscid " SONORAIL_DISCID_SONAME " lacks a function it should have");
    return lib;  // the library stays loaded
}

const LibDiscId& libDiscId()
{
    static const LibDiscId lib = loadLibDiscId();  // tried again at the next call after a failure
    return lib;
}

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

    const LibDiscId& lib = libDiscId();
    const auto freeDisc = [&lib](DiscId* disc) { lib.freeDisc(disc); };
    std::unique_ptr<DiscId, decltype(freeDisc)> disc(lib.newDisc(), freeDisc);
    if (!disc || !lib.put(disc.get(), toc.firstTrack, toc.lastTrack, offsets))
        throw SonorailError("The disc's table of contents has no identifier");
    return lib.getId(disc.get());
}
