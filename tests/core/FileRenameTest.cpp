#include "core/files/FileRename.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class FileRenameTest : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(FileRenameTest, RenamesAndMovesWithinTheFileSystem)
{
    dir.write("song.mid", "tune");
    fs::create_directory(dir.path() / "sub");

    EXPECT_EQ(RenameWithoutReplacing(dir.file("song.mid"), dir.file("tune.mid")), 0);
    EXPECT_EQ(RenameWithoutReplacing(dir.file("tune.mid"), dir.file("sub/../sub/x.mid")), 0);

    EXPECT_EQ(dir.read("sub/x.mid"), "tune");
    EXPECT_FALSE(fs::exists(dir.path() / "song.mid"));
}

TEST_F(FileRenameTest, AnExistingFileOfTheNewNameIsNeverReplaced)
{
    dir.write("a.mid", "a");
    dir.write("b.mid", "b");

    EXPECT_EQ(RenameWithoutReplacing(dir.file("a.mid"), dir.file("b.mid")), EEXIST);
    EXPECT_EQ(RenameByReservingName(dir.file("a.mid"), dir.file("b.mid")), EEXIST);
    EXPECT_EQ(RenameByLinking(dir.file("a.mid"), dir.file("b.mid")), EEXIST);

    EXPECT_EQ(dir.read("a.mid"), "a");
    EXPECT_EQ(dir.read("b.mid"), "b");
}

// Only the very same directory entry is no conflict; another name of the same file is
// taken all the same, and a link renamed onto its target must not replace the target.
TEST_F(FileRenameTest, ANameThatLeadsToTheSameFileIsTakenAllTheSame)
{
    dir.write("real.mid", "data");
    fs::create_symlink("real.mid", dir.path() / "link.mid");
    ASSERT_EQ(::link(dir.file("real.mid").c_str(), dir.file("hard.mid").c_str()), 0);

    EXPECT_EQ(RenameWithoutReplacing(dir.file("link.mid"), dir.file("real.mid")), EEXIST);
    EXPECT_EQ(RenameWithoutReplacing(dir.file("real.mid"), dir.file("hard.mid")), EEXIST);
    EXPECT_EQ(RenameByLinking(dir.file("link.mid"), dir.file("real.mid")), EEXIST);
    EXPECT_EQ(RenameWithoutReplacing(dir.file("real.mid"), dir.file("real.mid")), 0);
    EXPECT_EQ(RenameWithoutReplacing(dir.file("real.mid"), dir.file(".//real.mid")), 0);

    EXPECT_FALSE(fs::is_symlink(dir.path() / "real.mid"));
    EXPECT_EQ(dir.read("real.mid"), "data");
    EXPECT_EQ(fs::read_symlink(dir.path() / "link.mid"), "real.mid");
    EXPECT_EQ(dir.read("hard.mid"), "data");
}

TEST_F(FileRenameTest, TheWayRoundRenamesAndLeavesNoPlaceholderWhenTheRenameFails)
{
    dir.write("a.mid", "a");

    EXPECT_EQ(RenameByReservingName(dir.file("a.mid"), dir.file("b.mid")), 0);
    EXPECT_EQ(RenameByLinking(dir.file("b.mid"), dir.file("d.mid")), 0);
    EXPECT_EQ(RenameByLinking(dir.file("d.mid"), dir.file("b.mid")), 0);
    EXPECT_EQ(RenameByReservingName(dir.file("gone.mid"), dir.file("c.mid")), ENOENT);
    EXPECT_EQ(RenameByLinking(dir.file("gone.mid"), dir.file("c.mid")), ENOENT);
    EXPECT_EQ(RenameWithoutReplacing(dir.file("b.mid"), dir.file("missing/b.mid")), ENOENT);

    EXPECT_EQ(dir.read("b.mid"), "a");
    EXPECT_FALSE(fs::exists(dir.path() / "a.mid"));
    EXPECT_FALSE(fs::exists(dir.path() / "c.mid"));
    EXPECT_FALSE(fs::exists(dir.path() / "d.mid"));
}

}  // namespace
