#include "core/files/MountedVolumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// A desktop's table: kernel file systems, a snap, binds, a share, a stick and a disk whose
// label has a space, mounted over once.
constexpr const char* kDesktopTable =
    "22 28 0:21 / /proc rw,nosuid,nodev,noexec,relatime shared:12 - proc proc rw\n"
    "23 28 0:22 / /sys rw,nosuid,nodev,noexec,relatime shared:2 - sysfs sysfs rw\n"
    "24 28 0:5 / /dev rw,nosuid,relatime shared:8 - devtmpfs udev rw,size=8000000k,mode=755\n"
    "25 24 0:23 / /dev/pts rw,nosuid,noexec,relatime shared:9 - devpts devpts rw,gid=5,mode=620\n"
    "26 28 0:24 / /run rw,nosuid,nodev,noexec,relatime shared:10 - tmpfs tmpfs rw,size=1600000k,mode=755\n"
    "28 1 259:2 / / rw,relatime shared:1 - ext4 /dev/nvme0n1p2 rw,errors=remount-ro\n"
    "29 23 0:26 / /sys/fs/cgroup rw,nosuid,nodev,noexec,relatime shared:4 - cgroup2 cgroup2 rw\n"
    "30 23 0:27 / /sys/kernel/security rw,nosuid,nodev,noexec,relatime shared:3 - securityfs securityfs rw\n"
    "31 24 0:28 / /dev/mqueue rw,nosuid,nodev,noexec,relatime shared:14 - mqueue mqueue rw\n"
    "40 28 259:1 / /boot/efi rw,relatime shared:30 - vfat /dev/nvme0n1p1 rw,fmask=0077\n"
    "41 28 259:3 / /home rw,relatime shared:31 - ext4 /dev/nvme0n1p3 rw\n"
    "45 28 7:0 / /snap/core22/1380 ro,nodev,relatime shared:33 - squashfs /dev/loop0 ro,errors=continue\n"
    "50 28 259:3 /srv/shared /srv/shared rw,relatime shared:31 - ext4 /dev/nvme0n1p3 rw\n"
    "51 26 0:45 / /run/user/1000 rw,nosuid,nodev,relatime shared:400 - tmpfs tmpfs rw,size=1600000k,mode=700\n"
    "52 51 0:46 / /run/user/1000/gvfs rw,nosuid,nodev,relatime shared:410 - fuse.gvfsd-fuse gvfsd-fuse rw\n"
    "60 28 0:50 / /mnt/nas rw,relatime shared:420 - nfs4 nas.local:/export/music rw,vers=4.2\n"
    "61 28 0:51 / /mnt/films\\040and\\040shows rw,relatime shared:421 - cifs //nas/films rw\n"
    "62 26 8:17 / /run/media/ann/USB\\040STICK rw,nosuid,nodev shared:430 - vfat /dev/sdb1 rw,uid=1000\n"
    "63 28 8:33 / /media/ann/BACKUP rw,nosuid,nodev shared:431 - ext4 /dev/sdc1 rw\n"
    "64 28 8:33 / /media/ann/BACKUP rw,nosuid,nodev shared:432 - tmpfs tmpfs rw\n"
    "65 28 8:49 / /mnt/old rw shared:433 - ext4 /dev/sdd1 rw\n"
    "66 28 0:60 / /mnt/old rw shared:434 - ext4 /dev/sdd2 rw\n"
    "67 28 0:61 / /mnt/pi rw,nosuid,nodev shared:435 - fuse.sshfs pi@raspberry:/home/pi rw,user_id=1000\n"
    "68 28 0:62 / /tmp rw shared:436 - tmpfs tmpfs rw\n";

}  // namespace

TEST(MountedVolumes, ParsesEveryFieldTheBrowserNeeds)
{
    const std::vector<MountEntry> entries = ParseMountInfo(
        "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 shared:2 - ext3 /dev/root rw,errors=continue\n"
        "37 35 98:1 / /a\\040b\\011c\\134d rw - vfat /dev/sd\\040x rw");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].device, "98:0");
    EXPECT_EQ(entries[0].root, "/mnt1");
    EXPECT_EQ(entries[0].mountPoint, "/mnt2");
    EXPECT_EQ(entries[0].fsType, "ext3");
    EXPECT_EQ(entries[0].source, "/dev/root");
    EXPECT_EQ(entries[1].mountPoint, "/a b\tc\\d");
    EXPECT_EQ(entries[1].source, "/dev/sd x");
}

TEST(MountedVolumes, EscapesDecodeOnlyWhenWhole)
{
    EXPECT_EQ(DecodeMountInfoEscapes("a\\040b"), "a b");
    EXPECT_EQ(DecodeMountInfoEscapes("\\012"), "\n");
    EXPECT_EQ(DecodeMountInfoEscapes("a\\04"), "a\\04");
    EXPECT_EQ(DecodeMountInfoEscapes("a\\0x1"), "a\\0x1");
    EXPECT_EQ(DecodeMountInfoEscapes("\\777"), "\\777") << "above a byte";
    EXPECT_EQ(DecodeMountInfoEscapes("\\"), "\\");
}

TEST(MountedVolumes, CorruptLinesAreSkipped)
{
    using namespace std::string_view_literals;
    const std::vector<MountEntry> entries = ParseMountInfo(
        "\n"
        "garbage\n"
        "1 2 3:4 / /no-separator rw ext4 /dev/sda1 rw\n"
        "1 2 3:4 / /cut-short rw - ext4\n"
        "1 2 3:4 / relative rw - ext4 /dev/sda1 rw\n"
        "1 2 3:4 / /good rw - ext4 /dev/sda1 rw\n"
        "\0\xff\xfe - - - - - -\n"sv);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].mountPoint, "/good");
}

TEST(MountedVolumes, KeepsDisksSticksAndSharesOnly)
{
    EXPECT_EQ(VolumeMountPoints(kDesktopTable), (Names{"/", "/boot/efi", "/home", "/mnt/films and shows", "/mnt/nas",
                                                       "/mnt/old", "/mnt/pi", "/run/media/ann/USB STICK"}));
}

TEST(MountedVolumes, TheRootIsAlwaysAVolume)
{
    EXPECT_EQ(VolumeMountPoints(""), Names{"/"});
    EXPECT_EQ(VolumeMountPoints("garbage"), Names{"/"});
    // A container's root is an overlay; a btrfs root shows its subvolume as its root field.
    EXPECT_EQ(VolumeMountPoints("1 0 0:30 / / rw - overlay overlay rw\n"
                                "2 1 8:1 /data /data rw - ext4 /dev/sda1 rw\n"),
              Names{"/"});
    EXPECT_EQ(VolumeMountPoints("1 0 0:31 /@ / rw - btrfs /dev/sda2 rw\n"), Names{"/"});
}

TEST(MountedVolumes, APlaceWrittenTwoWaysIsOneMountPoint)
{
    EXPECT_EQ(VolumeMountPoints("1 0 8:1 / /mnt/a/ rw - ext4 /dev/sda1 rw\n"
                                "2 0 8:2 / /mnt/a rw - ext4 /dev/sda2 rw\n"
                                "3 0 8:3 / // rw - ext4 /dev/sda3 rw\n"),
              (Names{"/", "/mnt/a"}));
}

TEST(MountedVolumes, HomeComesFirstOnce)
{
    const Names volumes = MountedVolumes(kDesktopTable, "/home/ann/");
    ASSERT_GE(volumes.size(), 2u);
    EXPECT_EQ(volumes[0], "/home/ann");
    EXPECT_EQ(volumes[1], "/");
    EXPECT_EQ(MountedVolumes("", "/"), Names{"/"});
    EXPECT_EQ(MountedVolumes(kDesktopTable, "/home").front(), "/home");
    EXPECT_EQ(std::ranges::count(MountedVolumes(kDesktopTable, "/home"), "/home"), 1);
    EXPECT_EQ(MountedVolumes("", ""), Names{"/"}) << "no home known";
    EXPECT_EQ(MountedVolumes("", "relative"), Names{"/"});
}

TEST(MountedVolumes, TheRealTableGivesAtLeastTheRoot)
{
    const Names volumes = ReadMountedVolumes();
    EXPECT_NE(std::ranges::find(volumes, "/"), volumes.end());
}

TEST(MountedVolumes, APathBelongsToTheLongestVolumeAboveIt)
{
    const Names volumes{"/home/ann", "/", "/home", "/media/ann/USB"};
    EXPECT_EQ(VolumeHolding(volumes, "/home/ann/Music"), "/home/ann");
    EXPECT_EQ(VolumeHolding(volumes, "/home/ann"), "/home/ann");
    EXPECT_EQ(VolumeHolding(volumes, "/home/anna"), "/home");
    EXPECT_EQ(VolumeHolding(volumes, "/media/ann/USB/"), "/media/ann/USB");
    EXPECT_EQ(VolumeHolding(volumes, "/media/ann/USB2"), "/");
    EXPECT_EQ(VolumeHolding(volumes, "relative/path"), "");
    EXPECT_EQ(VolumeHolding({}, "/x"), "");
}

TEST(MountedVolumes, CaptionsNameHomeAndRemovableMedia)
{
    EXPECT_EQ(VolumeCaption("/", "/home/ann"), "/");
    EXPECT_EQ(VolumeCaption("/home/ann", "/home/ann/"), "/home/ann [Home]");
    EXPECT_EQ(VolumeCaption("/media/ann/USBSTICK", "/home/ann"), "/media/ann/USBSTICK [USBSTICK]");
    EXPECT_EQ(VolumeCaption("/run/media/ann/USB STICK", "/home/ann"), "/run/media/ann/USB STICK [USB STICK]");
    EXPECT_EQ(VolumeCaption("/mnt/nas", "/home/ann"), "/mnt/nas");
    EXPECT_EQ(VolumeCaption("/mediaplayer", "/home/ann"), "/mediaplayer");
}

TEST(VolumeDirectories, EachVolumeOpensWhereItWasLeft)
{
    const Names volumes{"/home/ann", "/", "/media/ann/USB"};
    VolumeDirectories directories(volumes, "/home/ann/Music/");
    EXPECT_EQ(directories.directoryFor("/home/ann"), "/home/ann/Music") << "the start directory's volume";
    EXPECT_EQ(directories.directoryFor("/"), "/");
    EXPECT_EQ(directories.directoryFor("/media/ann/USB"), "/media/ann/USB");

    directories.remember("/media/ann/USB", "/media/ann/USB/Albums");
    directories.remember("/", "/usr/share");
    directories.remember("/home/ann", "/home/ann/Music/Rock");
    EXPECT_EQ(directories.directoryFor("/media/ann/USB"), "/media/ann/USB/Albums");
    EXPECT_EQ(directories.directoryFor("/"), "/usr/share");
    EXPECT_EQ(directories.directoryFor("/home/ann"), "/home/ann/Music/Rock");

    directories.remember("/media/ann/USB", "/home/ann");
    EXPECT_EQ(directories.directoryFor("/media/ann/USB"), "/media/ann/USB/Albums") << "not on that volume";
}
