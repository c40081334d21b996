// Files the user may not write are never replaced behind the permission bits' back (the
// directory alone would let the program do so), whoever writes them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "core/albums/AlbumFiles.h"
#include "core/formats/ProfileFile.h"
#include "support/ErrorOf.h"
#include "support/InChildProcess.h"
#include "support/TempDir.h"

namespace {

unsigned permissionsOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

TEST(WriteProtectedFiles, AreLeftAsTheyWereWithTheErrorOfTheirWriter)
{
    TempDir dir;
    dir.write("default.alb", "/old/song.mid\r\n");
    dir.write("locked.alb", "/old/song.mid\r\n");
    dir.write("sr3.ini", "[Display]\r\nOptFirstRun=1\r\n");
    dir.write("open.alb", "/old/song.mid\r\n");
    ::chmod(dir.file("default.alb").c_str(), 0444);
    ::chmod(dir.file("locked.alb").c_str(), 0);
    ::chmod(dir.file("sr3.ini").c_str(), 0444);
    ::chmod(dir.file("open.alb").c_str(), 0640);
    in_child::giveToOrdinaryUser(dir.path());
    const std::vector<std::string> queue{"/new/tune.mid"};

    const auto errors = in_child::run(
        [&] {
            std::string texts =
                errorOf([&] { WriteAlbumFile(dir.file("default.alb"), queue, AlbumFileFormat::Album); });
            texts += "|" + errorOf([&] { WriteAlbumFile(dir.file("locked.alb"), queue, AlbumFileFormat::Album); });
            texts +=
                "|" + errorOf([&] { ProfileFile(dir.file("sr3.ini")).writeBoolean("Display", "OptFirstRun", false); });
            texts += "|" + errorOf([&] { WriteAlbumFile(dir.file("open.alb"), queue, AlbumFileFormat::Album); });
            return texts;
        },
        in_child::As::OrdinaryUser);
    if (!errors)
        GTEST_SKIP() << "cannot switch to an ordinary user here";

    EXPECT_EQ(errors->text, "Cannot create file " + dir.file("default.alb") + "|Cannot create file " +
                                dir.file("locked.alb") + "|Unable to write to " + dir.file("sr3.ini") + "|");
    ::chmod(dir.file("locked.alb").c_str(), 0600);
    EXPECT_EQ(dir.read("default.alb"), "/old/song.mid\r\n");
    EXPECT_EQ(dir.read("locked.alb"), "/old/song.mid\r\n");
    EXPECT_EQ(dir.read("sr3.ini"), "[Display]\r\nOptFirstRun=1\r\n");
    EXPECT_EQ(dir.read("open.alb"), "/new/tune.mid\r\n");  // a file the user may write is replaced
    EXPECT_EQ(permissionsOf(dir.file("default.alb")), 0444U);
    EXPECT_EQ(permissionsOf(dir.file("open.alb")), 0640U);
}

}  // namespace
