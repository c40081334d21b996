#include "core/files/MountedVolumes.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "core/base/UniqueFd.h"
#include "core/files/DirectoryListing.h"
#include "core/base/RegularFile.h"

namespace {

constexpr std::string_view kMountTable = "/proc/self/mountinfo";

// Kernel, memory and package-image file systems: never a place the user keeps media.
constexpr std::array<std::string_view, 22> kPseudoTypes = {
    "proc",     "sysfs",     "cgroup",  "cgroup2",    "devpts",      "devtmpfs", "tmpfs",  "ramfs",
    "mqueue",   "debugfs",   "tracefs", "securityfs", "pstore",      "bpf",      "autofs", "fusectl",
    "configfs", "hugetlbfs", "overlay", "squashfs",   "binfmt_misc", "efivarfs",
};

// Shares reached over a network: their source is a host, not a device.
constexpr std::array<std::string_view, 14> kNetworkTypes = {
    "nfs", "nfs4", "cifs",      "smb3",  "smbfs",      "ncpfs",          "9p",
    "afs", "ceph", "glusterfs", "sshfs", "fuse.sshfs", "fuse.glusterfs", "davfs",
};

template <std::size_t N>
bool isOneOf(std::string_view value, const std::array<std::string_view, N>& names)
{
    return std::ranges::find(names, value) != names.end();
}

bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t space = line.find(' ');
        fields.push_back(line.substr(0, space));
        if (space == std::string_view::npos)
            return fields;
        line.remove_prefix(space + 1);
    }
}

// "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue":
// six fixed fields, optional ones up to "-", then the type and the source.
bool parseLine(std::string_view line, MountEntry& entry)
{
    const std::vector<std::string_view> fields = splitFields(line);
    constexpr std::size_t kFixedFields = 6;
    if (fields.size() < kFixedFields + 3)
        return false;
    const auto separator = std::find(fields.begin() + kFixedFields, fields.end(), "-");
    if (fields.end() - separator < 3)
        return false;
    entry.device = fields[2];
    entry.root = DecodeMountInfoEscapes(fields[3]);
    entry.mountPoint = DecodeMountInfoEscapes(fields[4]);
    entry.fsType = DecodeMountInfoEscapes(separator[1]);
    entry.source = DecodeMountInfoEscapes(separator[2]);
    return entry.mountPoint.starts_with('/') && !entry.fsType.empty();
}

std::string readWholeFile(std::string_view path)
{
    std::string text;
    UniqueFd file;
    if (RegularFile::openForReading(std::string(path), file) != 0)
        return text;
    std::array<char, 16384> buffer;
    ssize_t got = 0;
    while ((got = read(file.get(), buffer.data(), buffer.size())) > 0)
        text.append(buffer.data(), static_cast<std::size_t>(got));
    return got < 0 ? std::string() : text;
}

bool isRemovableMediaPath(std::string_view volume)
{
    return (IsSameOrBelow(volume, "/media") && volume != "/media") ||
           (IsSameOrBelow(volume, "/run/media") && volume != "/run/media");
}

}  // namespace

std::string DecodeMountInfoEscapes(std::string_view field)
{
    std::string decoded;
    decoded.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool escape = field[i] == '\\' && i + 3 < field.size() && isOctalDigit(field[i + 1]) &&
                            isOctalDigit(field[i + 2]) && isOctalDigit(field[i + 3]);
        if (escape) {
            const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            if (value <= 0xFF) {
                decoded += static_cast<char>(value);
                i += 3;
                continue;
            }
        }
        decoded += field[i];
    }
    return decoded;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text)
{
    std::vector<MountEntry> entries;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        MountEntry entry;
        if (parseLine(text.substr(0, end), entry))
            entries.push_back(std::move(entry));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return entries;
}

bool IsRealFileSystem(const MountEntry& entry)
{
    if (isOneOf(entry.fsType, kNetworkTypes))
        return true;
    if (isOneOf(entry.fsType, kPseudoTypes))
        return false;
    return entry.source.starts_with("/dev/");
}

std::vector<std::string> VolumeMountPoints(std::string_view mountInfoText)
{
    // Later lines mount on top of earlier ones: the last one for a place is what is seen there.
    std::map<std::string, MountEntry> topmost;
    for (MountEntry& entry : ParseMountInfo(mountInfoText)) {
        std::string place = WithoutTrailingSlash(entry.mountPoint);
        topmost.insert_or_assign(std::move(place), std::move(entry));
    }

    std::vector<std::string> points{"/"};
    for (const auto& [mountPoint, entry] : topmost) {
        const bool wholeFileSystem = entry.root == "/";
        if (mountPoint != "/" && wholeFileSystem && IsRealFileSystem(entry))
            points.push_back(mountPoint);
    }
    return points;  // the map kept them sorted, and "/" sorts first
}

std::vector<std::string> MountedVolumes(std::string_view mountInfoText, std::string_view home)
{
    std::vector<std::string> volumes;
    const std::string homeVolume = WithoutTrailingSlash(home);
    if (homeVolume.starts_with('/'))
        volumes.push_back(homeVolume);
    for (std::string& point : VolumeMountPoints(mountInfoText)) {
        if (point != homeVolume)
            volumes.push_back(std::move(point));
    }
    return volumes;
}

std::string HomeDirectory()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    std::array<char, 4096> buffer;
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

std::vector<std::string> ReadMountedVolumes() { return MountedVolumes(readWholeFile(kMountTable), HomeDirectory()); }

std::string VolumeHolding(const std::vector<std::string>& volumes, std::string_view path)
{
    const std::string normalPath = WithoutTrailingSlash(path);
    const std::string* best = nullptr;
    for (const std::string& volume : volumes) {
        if (!volume.empty() && IsSameOrBelow(normalPath, volume) && (!best || volume.size() > best->size()))
            best = &volume;
    }
    return best ? *best : std::string();
}

std::string VolumeCaption(std::string_view volume, std::string_view home)
{
    std::string caption(volume);
    if (!home.empty() && volume == WithoutTrailingSlash(home))
        caption += " [Home]";
    else if (isRemovableMediaPath(volume))
        caption += " [" + std::string(volume.substr(volume.rfind('/') + 1)) + "]";
    return caption;
}

VolumeDirectories::VolumeDirectories(const std::vector<std::string>& volumes, std::string_view startDirectory)
{
    const std::string start = WithoutTrailingSlash(startDirectory);
    remember(VolumeHolding(volumes, start), start);
}

std::string VolumeDirectories::directoryFor(const std::string& volume) const
{
    const auto found = lastShown.find(volume);
    return found != lastShown.end() ? found->second : volume;
}

void VolumeDirectories::remember(const std::string& volume, std::string_view directory)
{
    const std::string normal = WithoutTrailingSlash(directory);
    if (!volume.empty() && IsSameOrBelow(normal, volume))
        lastShown.insert_or_assign(volume, normal);
}
