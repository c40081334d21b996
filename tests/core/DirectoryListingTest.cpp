#include "core/files/DirectoryListing.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>

#include "support/TempDir.h"
#include "core/files/FileMask.h"
#include "core/files/FileTypeFilters.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

const FileMask& allFilters()
{
    static const FileMask mask = [] {
        std::array<bool, kFileTypeFilterCount> ticked{};
        ticked.fill(true);
        return FileMask(BuildFileMask(ticked));
    }();
    return mask;
}

// A socket file bound at `path`; the descriptor may close, the file stays.
void makeSocketFile(const std::string& path)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    EXPECT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(fd);
}

// A directory holding one of each kind of entry the browser meets.
class DirectoryListingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.write("song.mid", "");
        dir.write("LOUD.WAV", "");
        dir.write("Notes.Txt", "");
        dir.write("readme", "");
        dir.write("song.mod", "");
        dir.write(".hidden.mid", "");
        dir.write("@@@@@._+_", "");
        fs::create_directory(dir.path() / "folder.mid");
        fs::create_directory(dir.path() / "Albums");
        fs::create_directory(dir.path() / ".config");
        ASSERT_EQ(mkfifo(dir.file("pipe.mid").c_str(), 0644), 0);
        makeSocketFile(dir.file("socket.wav"));
        fs::create_symlink("song.mid", dir.path() / "linked.mid");
        fs::create_symlink("nowhere.mid", dir.path() / "broken.mid");
        fs::create_symlink("Albums", dir.path() / "albumlink.mid");
        fs::create_directory_symlink("Albums", dir.path() / "Shortcut");
        fs::create_symlink("nowhere", dir.path() / "deadlink");
    }

    std::string path() const { return dir.path().string(); }

    TempDir dir;
};

}  // namespace

TEST_F(DirectoryListingTest, ListsOnlyPlainFilesTheMaskTakes)
{
    EXPECT_EQ(ListFiles(path(), allFilters()), (Names{"@@@@@._+_", "linked.mid", "LOUD.WAV", "Notes.Txt", "song.mid"}));
    EXPECT_EQ(ListFiles(path(), FileMask("*")),
              (Names{"@@@@@._+_", "linked.mid", "LOUD.WAV", "Notes.Txt", "readme", "song.mid", "song.mod"}));
}

TEST_F(DirectoryListingTest, NothingTickedListsOnlyAFileNamedLikeThePlaceholder)
{
    EXPECT_EQ(ListFiles(path(), FileMask(BuildFileMask({}))), Names{"@@@@@._+_"});
    fs::remove(dir.path() / "@@@@@._+_");
    EXPECT_TRUE(ListFiles(path(), FileMask(BuildFileMask({}))).empty());
    EXPECT_TRUE(ListFiles(path(), FileMask()).empty());
}

TEST_F(DirectoryListingTest, SubdirectoriesIncludeLinksToDirectoriesButNotHiddenOnes)
{
    EXPECT_EQ(ListSubdirectories(path()), (Names{"albumlink.mid", "Albums", "folder.mid", "Shortcut"}));
}

TEST(DirectoryListing, OrderIgnoresCaseAndIsTotal)
{
    TempDir dir;
    for (const char* name : {"b.mid", "B.mid", "a.mid", "C.mid", "_x.mid", "A.MID", "a0.mid"})
        dir.write(name, "");
    EXPECT_EQ(ListFiles(dir.path().string(), FileMask("*.mid")),
              (Names{"_x.mid", "A.MID", "a.mid", "a0.mid", "B.mid", "b.mid", "C.mid"}));
    // "a.mid" and "A.MID" fold equal; their bytes decide ("A" < "a"), whatever readdir gave.
    EXPECT_TRUE(NameOrder("A.MID", "a.mid"));
    EXPECT_FALSE(NameOrder("a.mid", "A.MID"));
    EXPECT_FALSE(NameOrder("a.mid", "a.mid"));
    EXPECT_TRUE(NameOrder("ab", "ABC"));
}

TEST(DirectoryListing, NamesKeepTheirBytes)
{
    TempDir dir;
    const std::string latin1 = "caf\xe9 \xff.mid";  // not UTF-8
    const std::string utf8 = "caf\xc3\xa9.mid";
    dir.write(latin1, "x");
    dir.write(utf8, "");
    const Names listed = ListFiles(dir.path().string(), FileMask("*.mid"));
    EXPECT_EQ(listed, (Names{utf8, latin1}));
    EXPECT_EQ(dir.read(listed[1]), "x") << "the listed name opens the file";
}

TEST(DirectoryListing, AnUnreadableDirectoryListsNothing)
{
    TempDir dir;
    dir.write("plain", "");
    for (const std::string& bad : {dir.file("plain/below"), dir.file("plain"), dir.file("missing"), std::string()}) {
        EXPECT_TRUE(ListFiles(bad, FileMask("*")).empty()) << bad;
        EXPECT_TRUE(ListSubdirectories(bad).empty()) << bad;
    }
}

TEST(DirectoryListing, LargeDirectoriesListCompletely)
{
    TempDir dir;
    for (int i = 0; i < 3000; ++i)
        dir.write("f" + std::to_string(i) + (i % 2 ? ".mid" : ".mp3"), "");
    const Names listed = ListFiles(dir.path().string(), FileMask("*.mid"));
    EXPECT_EQ(listed.size(), 1500u);
    EXPECT_TRUE(std::ranges::is_sorted(listed, NameOrder));
}

TEST(DirectoryPaths, ChildPathAddsOneSeparator)
{
    EXPECT_EQ(ChildPath("/", "a"), "/a");
    EXPECT_EQ(ChildPath("/m", "a"), "/m/a");
    EXPECT_EQ(ChildPath("/m/", "a"), "/m/a");
    EXPECT_EQ(ChildPath("/odd\\", "a"), "/odd\\/a") << "a backslash is part of a name here";
}

TEST(DirectoryPaths, TrailingAndRepeatedSlashesGo)
{
    EXPECT_EQ(WithoutTrailingSlash("/"), "/");
    EXPECT_EQ(WithoutTrailingSlash("//"), "/");
    EXPECT_EQ(WithoutTrailingSlash("/a//b/"), "/a/b");
    EXPECT_EQ(WithoutTrailingSlash(""), "");
}

TEST(DirectoryPaths, ChainRunsFromTheRootDownOnWholeComponents)
{
    EXPECT_EQ(DirectoryChain("/", "/a/b"), (Names{"/", "/a", "/a/b"}));
    EXPECT_EQ(DirectoryChain("/m/", "/m/a/b/"), (Names{"/m", "/m/a", "/m/a/b"}));
    EXPECT_EQ(DirectoryChain("/m", "/m"), Names{"/m"});
    EXPECT_EQ(DirectoryChain("/", "/"), Names{"/"});
    EXPECT_EQ(DirectoryChain("/m", "/music/a"), Names{"/music/a"}) << "/music is not below /m";
    EXPECT_EQ(DirectoryChain("", "/a"), Names{"/a"});
    EXPECT_TRUE(IsSameOrBelow("/m/a", "/m"));
    EXPECT_TRUE(IsSameOrBelow("/m/a", "/"));
    EXPECT_FALSE(IsSameOrBelow("/ma", "/m"));
}

TEST(DirectoryPaths, NearestExistingDirectoryStopsAtTheRoot)
{
    TempDir dir;
    const std::string root = dir.path().string();
    fs::create_directories(dir.path() / "a" / "b");
    dir.write("a/file", "");
    EXPECT_EQ(NearestExistingDirectory(root + "/a/b", root), root + "/a/b");
    EXPECT_EQ(NearestExistingDirectory(root + "/a/gone/deeper", root), root + "/a");
    EXPECT_EQ(NearestExistingDirectory(root + "/a/file", root), root + "/a");
    EXPECT_EQ(NearestExistingDirectory(root + "/missing/x", root + "/missing"), root + "/missing");
}
