#include "core/files/FileTransfer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "support/ErrorOf.h"
#include "support/InChildProcess.h"
#include "support/ScopedTmpfs.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;

namespace {

// Bytes that differ from offset to offset, so a chunk copied twice or skipped shows.
std::string patternBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 4096) & 0xFF);
    return bytes;
}

struct stat statOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

// Every entry of a directory, hidden ones included: nothing may be left behind.
std::vector<std::string> entriesOf(const std::string& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void setModificationTime(const std::string& path, time_t seconds)
{
    const timeval times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimes(path.c_str(), times), 0);
}

using Names = std::vector<std::string>;

class FileTransferTest : public ::testing::Test {
protected:
    TempDir from;
    TempDir to;
};

TEST_F(FileTransferTest, CopyWritesTheWholeFileWithItsTimeAndPermissions)
{
    const std::string bytes = patternBytes((9u << 20) + 123);  // several chunks and a tail
    from.write("song.mid", bytes);
    ::chmod(from.file("song.mid").c_str(), 0640);
    setModificationTime(from.file("song.mid"), 1'000'000'000);
    std::uint64_t lastReported = 0;
    int reports = 0;
    const auto progress = [&](std::uint64_t copied, std::uint64_t size) {
        EXPECT_GT(copied, lastReported);
        EXPECT_EQ(size, bytes.size());
        lastReported = copied;
        ++reports;
        return true;
    };

    const TransferResult result = CopyOneFile(from.file("song.mid"), to.file("song.mid"), progress);

    EXPECT_EQ(result.outcome, TransferOutcome::Done);
    EXPECT_EQ(to.read("song.mid"), bytes);
    EXPECT_EQ(lastReported, bytes.size());
    EXPECT_GE(reports, 2);
    const struct stat copy = statOf(to.file("song.mid"));
    EXPECT_EQ(copy.st_mode & 07777, 0640u);
    EXPECT_EQ(copy.st_mtim.tv_sec, 1'000'000'000);
    EXPECT_EQ(from.read("song.mid"), bytes);
    EXPECT_EQ(entriesOf(to.path()), Names{"song.mid"});
}

TEST_F(FileTransferTest, CopyReplacesAnExistingFileAndAnEmptySourceGivesAnEmptyCopy)
{
    from.write("a.mid", "new");
    to.write("a.mid", "the old and longer content");
    from.write("empty.wav", "");
    to.write("empty.wav", "old");

    EXPECT_EQ(CopyOneFile(from.file("a.mid"), to.file("a.mid")).outcome, TransferOutcome::Done);
    EXPECT_EQ(CopyOneFile(from.file("empty.wav"), to.file("empty.wav")).outcome, TransferOutcome::Done);

    EXPECT_EQ(to.read("a.mid"), "new");
    EXPECT_EQ(to.read("empty.wav"), "");
    EXPECT_EQ(entriesOf(to.path()), (Names{"a.mid", "empty.wav"}));
}

TEST_F(FileTransferTest, AFileIsNeverCopiedOrMovedOntoItself)
{
    from.write("song.mid", "keep me");
    fs::create_directory_symlink(from.path(), to.path() / "link");
    ::link(from.file("song.mid").c_str(), to.file("hard.mid").c_str());

    // The same directory, the directory through a link, another name of the same file.
    for (const std::string& destination : {from.file("song.mid"), to.file("link/song.mid"), to.file("hard.mid")}) {
        EXPECT_EQ(CopyOneFile(from.file("song.mid"), destination).outcome, TransferOutcome::SameFile) << destination;
        EXPECT_EQ(MoveOneFile(from.file("song.mid"), destination).outcome, TransferOutcome::SameFile) << destination;
        EXPECT_EQ(from.read("song.mid"), "keep me");
    }
    EXPECT_EQ(entriesOf(from.path()), Names{"song.mid"});
}

TEST_F(FileTransferTest, ADestinationThatCannotBeCreatedRaisesTheSystemsReasonAndWritesNothing)
{
    from.write("song.mid", "content");
    fs::create_directory(to.path() / "song.mid");  // a directory where the file would go
    to.write("plain", "");

    EXPECT_EQ(errorOf([&] { CopyOneFile(from.file("song.mid"), to.file("song.mid")); }), "File access denied");
    EXPECT_EQ(errorOf([&] { MoveOneFile(from.file("song.mid"), to.file("song.mid")); }), "File access denied");
    EXPECT_EQ(errorOf([&] { CopyOneFile(from.file("song.mid"), to.file("gone/song.mid")); }), "File not found");
    EXPECT_EQ(errorOf([&] { MoveOneFile(from.file("song.mid"), to.file("plain/song.mid")); }), "File not found");

    EXPECT_TRUE(fs::is_directory(to.path() / "song.mid"));
    EXPECT_EQ(entriesOf(to.path()), (Names{"plain", "song.mid"}));
    EXPECT_EQ(from.read("song.mid"), "content");  // the move kept its source
}

TEST_F(FileTransferTest, AnUnreadableSourceLeavesTheDestinationAlone)
{
    to.write("song.mid", "old");
    fs::create_directory(from.path() / "folder.mid");

    const TransferResult missing = CopyOneFile(from.file("song.mid"), to.file("song.mid"));
    const TransferResult directory = MoveOneFile(from.file("folder.mid"), to.file("song.mid"));

    EXPECT_EQ(missing.outcome, TransferOutcome::SourceUnreadable);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_EQ(directory.outcome, TransferOutcome::SourceUnreadable);
    EXPECT_EQ(to.read("song.mid"), "old");
    EXPECT_TRUE(fs::is_directory(from.path() / "folder.mid"));
}

TEST_F(FileTransferTest, ACancelledCopyLeavesNoPartialFileAndKeepsTheOneItWouldReplace)
{
    from.write("big.avi", patternBytes(12u << 20));
    to.write("big.avi", "the old clip");
    const auto cancelAtOnce = [](std::uint64_t, std::uint64_t) { return false; };

    EXPECT_EQ(CopyOneFile(from.file("big.avi"), to.file("big.avi"), cancelAtOnce).outcome, TransferOutcome::Cancelled);
    EXPECT_EQ(to.read("big.avi"), "the old clip");
    EXPECT_EQ(entriesOf(to.path()), Names{"big.avi"});
}

TEST_F(FileTransferTest, ACopyKilledHalfWayLeavesNothingBehind)
{
    from.write("big.avi", patternBytes(9u << 20));
    const auto killed = in_child::run([&] {
        CopyOneFile(from.file("big.avi"), to.file("big.avi"), [](std::uint64_t, std::uint64_t) {
            ::raise(SIGKILL);
            return true;
        });
        return std::string("not killed");
    });
    ASSERT_TRUE(killed);
    EXPECT_EQ(killed->signal, SIGKILL) << killed->text;
    EXPECT_TRUE(entriesOf(to.path()).empty());
}

TEST_F(FileTransferTest, AMoveAcrossFileSystemsThatIsCancelledKeepsItsSource)
{
    const std::string source = "/dev/shm/sonorail-cancel-" + std::to_string(::getpid()) + ".wav";
    test_files::write(source, patternBytes(6u << 20));
    const auto cancelAtOnce = [](std::uint64_t, std::uint64_t) { return false; };

    EXPECT_EQ(MoveOneFile(source, to.file("clip.wav"), cancelAtOnce).outcome, TransferOutcome::Cancelled);

    EXPECT_EQ(test_files::read(source).size(), 6u << 20);
    EXPECT_TRUE(entriesOf(to.path()).empty());
    ::unlink(source.c_str());
}

TEST_F(FileTransferTest, AMoveWithinOneFileSystemIsARenameOfTheSameFile)
{
    from.write("song.mid", "tune");
    to.write("song.mid", "replaced");
    const ino_t inode = statOf(from.file("song.mid")).st_ino;
    int reports = 0;

    const TransferResult result = MoveOneFile(from.file("song.mid"), to.file("song.mid"),
                                              [&](std::uint64_t, std::uint64_t) { return ++reports > 0; });

    EXPECT_EQ(result.outcome, TransferOutcome::Done);
    EXPECT_EQ(reports, 0);  // nothing copied
    EXPECT_EQ(statOf(to.file("song.mid")).st_ino, inode);
    EXPECT_EQ(to.read("song.mid"), "tune");
    EXPECT_FALSE(fs::exists(from.path() / "song.mid"));
}

TEST_F(FileTransferTest, AMoveAcrossFileSystemsCopiesCompletelyThenDeletesTheSource)
{
    const std::string source = "/dev/shm/sonorail-move-" + std::to_string(::getpid()) + ".wav";
    const std::string bytes = patternBytes((5u << 20) + 7);
    test_files::write(source, bytes);
    setModificationTime(source, 1'234'567'890);

    const TransferResult result = MoveOneFile(source, to.file("clip.wav"));

    EXPECT_EQ(result.outcome, TransferOutcome::Done);
    EXPECT_EQ(to.read("clip.wav"), bytes);
    EXPECT_EQ(statOf(to.file("clip.wav")).st_mtim.tv_sec, 1'234'567'890);
    EXPECT_FALSE(fs::exists(source));
}

TEST_F(FileTransferTest, AFullDiskFailsTheCopyWithoutAPartialFileAndKeepsAMovesSource)
{
    ScopedTmpfs small("1m");
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    from.write("big.wav", patternBytes(3u << 20));
    test_files::write(small.file("big.wav"), "the old wave");
    test_files::write(small.file("filler"), std::string(200'000, 'x'));

    const TransferResult copied = CopyOneFile(from.file("big.wav"), small.file("big.wav"));
    const TransferResult moved = MoveOneFile(from.file("big.wav"), small.file("moved.wav"));

    EXPECT_EQ(copied.outcome, TransferOutcome::Failed);
    EXPECT_EQ(copied.error, ENOSPC);
    EXPECT_EQ(moved.outcome, TransferOutcome::Failed);
    EXPECT_EQ(test_files::read(small.file("big.wav")), "the old wave");
    EXPECT_EQ(entriesOf(small.path()), (Names{"big.wav", "filler"}));
    EXPECT_EQ(from.read("big.wav").size(), 3u << 20);
}

}  // namespace
