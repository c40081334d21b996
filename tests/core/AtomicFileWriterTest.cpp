#include "core/base/AtomicFileWriter.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>

#include "support/InChildProcess.h"
#include "support/NoUnnamedFiles.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// The errno that replace() reports, or 0 when it succeeds.
int errnoOfReplace(const std::string& path, std::string_view bytes)
{
    try {
        AtomicFileWriter::replace(path, bytes);
    } catch (const std::system_error& error) {
        return error.code().value();
    }
    return 0;
}

// Every entry, hidden ones included, in order of their names.
std::string entriesOf(const fs::path& directory)
{
    std::set<std::string> sorted;
    for (const auto& entry : fs::directory_iterator(directory))
        sorted.insert(entry.path().filename().string());
    std::string names;
    for (const std::string& name : sorted)
        names += name + ";";
    return names;
}

unsigned permissionsOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous); }

private:
    mode_t previous;
};

}  // namespace

TEST(AtomicFileWriter, ReplacesTheBytesAndLeavesNoTemporaryFile)
{
    TempDir dir;
    dir.write("f.ini", "old contents that are longer");
    const std::string bytes = std::string("new\r\n\0\xFF", 7);
    AtomicFileWriter::replace(dir.file("f.ini"), bytes);
    EXPECT_EQ(dir.read("f.ini"), bytes);
    AtomicFileWriter::replace(dir.file("f.ini"), "");
    EXPECT_EQ(dir.read("f.ini"), "");
    EXPECT_EQ(entriesOf(dir.path()), "f.ini;");
}

TEST(AtomicFileWriter, NewFilesGetTheUmaskedDefaultAndReplacedFilesKeepTheirPermissions)
{
    TempDir dir;
    {
        ScopedUmask mask(027);
        AtomicFileWriter::replace(dir.file("new.ini"), "x");
    }
    EXPECT_EQ(permissionsOf(dir.file("new.ini")), 0640U);

    dir.write("private.ini", "old");
    ASSERT_EQ(::chmod(dir.file("private.ini").c_str(), 0600), 0);
    dir.write("open.ini", "old");
    ASSERT_EQ(::chmod(dir.file("open.ini").c_str(), 0777), 0);
    AtomicFileWriter::replace(dir.file("private.ini"), "new");
    AtomicFileWriter::replace(dir.file("open.ini"), "new");
    EXPECT_EQ(permissionsOf(dir.file("private.ini")), 0600U);
    EXPECT_EQ(permissionsOf(dir.file("open.ini")), 0777U);
}

TEST(AtomicFileWriter, FollowsAChainOfLinksToReplaceTheTargetAndKeepsTheLinks)
{
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    dir.write("real/f.ini", "old");
    ASSERT_EQ(::chmod(dir.file("real/f.ini").c_str(), 0604), 0);
    fs::create_symlink("real/f.ini", dir.path() / "relative");
    fs::create_symlink(dir.path() / "relative", dir.path() / "absolute");

    AtomicFileWriter::replace(dir.file("absolute"), "new");

    EXPECT_EQ(dir.read("real/f.ini"), "new");
    EXPECT_EQ(fs::read_symlink(dir.path() / "relative"), "real/f.ini");
    EXPECT_EQ(fs::read_symlink(dir.path() / "absolute"), dir.path() / "relative");
    EXPECT_EQ(permissionsOf(dir.file("real/f.ini")), 0604U);
    EXPECT_EQ(entriesOf(dir.path() / "real"), "f.ini;");
}

TEST(AtomicFileWriter, ADanglingLinkGetsItsTargetCreated)
{
    TempDir dir;
    fs::create_symlink("target.ini", dir.path() / "link.ini");
    AtomicFileWriter::replace(dir.file("link.ini"), "made");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.ini"));
    EXPECT_EQ(dir.read("target.ini"), "made");
}

TEST(AtomicFileWriter, ReportsTheErrnoOfPathsThatCannotHoldTheFile)
{
    TempDir dir;
    fs::create_directory(dir.path() / "folder.ini");
    dir.write("folder.ini/inside", "kept");
    dir.write("plain", "kept");
    fs::create_symlink("loop-b", dir.path() / "loop-a");
    fs::create_symlink("loop-a", dir.path() / "loop-b");

    EXPECT_EQ(errnoOfReplace(dir.file("folder.ini"), "x"), EISDIR);
    EXPECT_EQ(errnoOfReplace(dir.file("plain") + "/f.ini", "x"), ENOTDIR);
    EXPECT_EQ(errnoOfReplace(dir.file("absent") + "/f.ini", "x"), ENOENT);
    EXPECT_EQ(errnoOfReplace(dir.file("loop-a"), "x"), ELOOP);
    EXPECT_EQ(errnoOfReplace(dir.file("sub") + "/", "x"), EISDIR);
    EXPECT_EQ(errnoOfReplace("", "x"), ENOENT);

    EXPECT_EQ(dir.read("folder.ini/inside"), "kept");
    EXPECT_EQ(dir.read("plain"), "kept");
    EXPECT_EQ(entriesOf(dir.path() / "folder.ini"), "inside;");
    EXPECT_EQ(fs::read_symlink(dir.path() / "loop-a"), "loop-b");
}

TEST(AtomicFileWriter, AFailedRenameOrWriteLeavesTheOldFileAndNoTemporaryFile)
{
    TempDir dir;
    // The directory stands where the file should be: everything succeeds up to the rename.
    fs::create_directory(dir.path() / "folder.ini");
    EXPECT_EQ(errnoOfReplace(dir.file("folder.ini"), "x"), EISDIR);
    EXPECT_EQ(entriesOf(dir.path()), "folder.ini;");
    fs::remove(dir.path() / "folder.ini");

    // A file size limit stops the write halfway, as a full disk would.
    dir.write("f.ini", "old");
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previousLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
    rlimit smallLimit = previousLimit;
    smallLimit.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &smallLimit), 0);
    const int error = errnoOfReplace(dir.file("f.ini"), "longer than four bytes");
    ::setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(dir.read("f.ini"), "old");
    EXPECT_EQ(entriesOf(dir.path()), "f.ini;");
}

// A writer killed in the middle (here by the file size limit, whose signal kills as SIGKILL
// would) leaves no file behind; the hidden files that writers of ours which died left in a
// directory go at the next write into it, and nothing else does.
TEST(AtomicFileWriter, AWriterKilledHalfWayLeavesNothingAndWhatDeadWritersLeftGoes)
{
    TempDir dir;
    dir.write("f.ini", "old");
    const auto killed = in_child::run([&] {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        rlimit small{};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 4;
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_DFL);
        AtomicFileWriter::replace(dir.file("f.ini"), "longer than four bytes");
        return std::string("not killed");
    });
    ASSERT_TRUE(killed);
    EXPECT_EQ(killed->signal, SIGXFSZ) << killed->text;
    EXPECT_EQ(entriesOf(dir.path()), "f.ini;");
    EXPECT_EQ(dir.read("f.ini"), "old");

    const std::string dead = std::to_string(in_child::endedProcessId());
    dir.write(".default.alb.tmp-" + dead + "-3-123456789", "half");
    dir.write(".song.mid.part-" + dead + "-0", "half");
    dir.write(".cddat.dat.tmp-1-0", "process 1 is alive");
    dir.write(".notes.tmp-" + dead, "not one of ours");
    AtomicFileWriter::replace(dir.file("f.ini"), "new");
    EXPECT_EQ(entriesOf(dir.path()), ".cddat.dat.tmp-1-0;.notes.tmp-" + dead + ";f.ini;");
}

// Where the file system has no unnamed files, a hidden one stands in while the bytes are
// written, and only the files themselves remain.
TEST(AtomicFileWriter, WithoutUnnamedFilesAHiddenFileStandsInAndGoes)
{
    TempDir dir;
    dir.write("f.ini", "old");
    const auto written = in_child::run([&] {
        if (!RefuseUnnamedFiles())
            return std::string("no filter");
        AtomicFileWriter::replace(dir.file("f.ini"), "new");
        AtomicFileWriter::replace(dir.file("g.ini"), "made");
        return std::string("written");
    });
    ASSERT_TRUE(written);
    if (written->text == "no filter")
        GTEST_SKIP() << "no seccomp filter on this system";
    EXPECT_EQ(written->text, "written");
    EXPECT_EQ(entriesOf(dir.path()), "f.ini;g.ini;");
    EXPECT_EQ(dir.read("f.ini"), "new");
    EXPECT_EQ(dir.read("g.ini"), "made");
}
