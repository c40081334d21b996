#pragma once
// The "drives" of the browser: the user's home directory first, then the mount points of
// real file systems (disks, USB sticks, network shares), read from the kernel's mount
// table (/proc/self/mountinfo). The functions over the table's text are pure, so any
// table can be tried; ReadMountedVolumes reads the real one.
#include <map>
#include <string>
#include <string_view>
#include <vector>

// One line of the mount table, escapes decoded.
struct MountEntry {
    std::string device;  // "major:minor"
    std::string root;    // the part of the file system seen here: "/" unless a bind of a subtree
    std::string mountPoint;
    std::string fsType;
    std::string source;  // "/dev/sdb1", "server:/export", "proc", ...
};

// Every well-formed line, in table order; a line that does not parse is skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// "\040" -> " " and the other three-digit octal escapes the kernel writes; a backslash not
// starting one stays as it is.
std::string DecodeMountInfoEscapes(std::string_view field);

// A disk, a removable medium or a network share, not a kernel or memory file system nor a
// snap package's image.
bool IsRealFileSystem(const MountEntry& entry);

// The mount points of real file systems, sorted by their bytes. A mount point listed more
// than once counts as its last (topmost) mount; binds of a subtree are left out. "/" is
// always there: every path lies under it, whatever the table says.
std::vector<std::string> VolumeMountPoints(std::string_view mountInfoText);

// `home` (when it is an absolute path) first, then VolumeMountPoints without it.
std::vector<std::string> MountedVolumes(std::string_view mountInfoText, std::string_view home);

// The volumes of this machine now: the mount table of this process and the user's home.
std::vector<std::string> ReadMountedVolumes();
// $HOME, or the password database's entry when it is not set; empty when neither gives one.
std::string HomeDirectory();

// The volume whose path is the longest leading part of `path` on whole components; empty
// when none is.
std::string VolumeHolding(const std::vector<std::string>& volumes, std::string_view path);

// The text of a volume in the drive selector: its path, with a name beside it for the home
// directory ("Home") and for removable media under /media and /run/media (their last
// component, which is the medium's label).
std::string VolumeCaption(std::string_view volume, std::string_view home);

// One current directory per volume for the run, as each drive once had its own: a volume
// opens where it was left; at first the volume holding the start directory opens there,
// every other one on its root.
class VolumeDirectories {
public:
    VolumeDirectories(const std::vector<std::string>& volumes, std::string_view startDirectory);

    std::string directoryFor(const std::string& volume) const;
    // Ignored unless `directory` lies on `volume`.
    void remember(const std::string& volume, std::string_view directory);

private:
    std::map<std::string, std::string> lastShown;
};
