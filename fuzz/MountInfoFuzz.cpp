// Feeds arbitrary text to the mount-table parser and the volume rules built on it. Besides
// never crashing, the drive list must stay a list of distinct absolute paths with the root
// among them, and every absolute path must belong to one of its volumes.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/files/DirectoryListing.h"
#include "core/files/MountedVolumes.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkVolumes(const std::vector<std::string>& volumes, const std::string& path)
{
    require(std::ranges::find(volumes, "/") != volumes.end());
    for (const std::string& volume : volumes) {
        require(volume.starts_with('/'));
        require(std::ranges::count(volumes, volume) == 1);
    }
    const std::string holder = VolumeHolding(volumes, path);
    if (path.starts_with('/'))
        require(!holder.empty() && IsSameOrBelow(WithoutTrailingSlash(path), holder));
    else
        require(holder.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string home = input.ConsumeRandomLengthString(64);
    const std::string path = input.ConsumeRandomLengthString(128);
    const std::string table = input.ConsumeRemainingBytesAsString();

    for (const MountEntry& entry : ParseMountInfo(table)) {
        require(entry.mountPoint.starts_with('/'));
        require(!entry.fsType.empty());
    }
    const std::vector<std::string> volumes = MountedVolumes(table, home);
    checkVolumes(volumes, path);
    if (!volumes.empty())
        VolumeCaption(volumes.back(), home);
    return 0;
}
