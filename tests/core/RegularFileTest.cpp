// The one way files are opened for reading: only regular files, and never waiting in the open.
#include "core/base/RegularFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "support/ErrorOf.h"
#include "support/HangWatchdog.h"
#include "support/TempDir.h"

TEST(RegularFileTest, OnlyARegularFileOpensAndANamedPipeIsRefusedAtOnce)
{
    TempDir dir;
    dir.write("plain.txt", "bytes");
    UniqueFd file;
    ASSERT_EQ(RegularFile::openForReading(dir.file("plain.txt"), file), 0);
    char read[8] = {};
    EXPECT_EQ(::read(file.get(), read, sizeof read), 5) << "reads block as usual";

    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir.file("pipe"), dir.file("link-to-pipe"));
    std::filesystem::create_directory(dir.file("folder"));
    const HangWatchdog watchdog("opening a named pipe");
    EXPECT_EQ(RegularFile::openForReading(dir.file("pipe"), file), RegularFile::kNotARegularFile);
    EXPECT_EQ(file.get(), -1);
    EXPECT_EQ(RegularFile::checkReadable(dir.file("link-to-pipe")), RegularFile::kNotARegularFile);
    EXPECT_EQ(RegularFile::checkReadable("/dev/zero"), RegularFile::kNotARegularFile);
    EXPECT_EQ(RegularFile::checkReadable(dir.file("folder")), EISDIR);
    EXPECT_EQ(RegularFile::checkReadable(dir.file("missing")), ENOENT);
    EXPECT_EQ(RegularFile::checkReadable(dir.file("plain.txt/below")), ENOTDIR);
    EXPECT_EQ(errorOf([&] { RegularFile::requireReadable(dir.file("pipe")); }),
              "Cannot open file " + dir.file("pipe") + ": it is not a file");
    EXPECT_EQ(errorOf([&] { RegularFile::requireReadable(dir.file("plain.txt")); }), "");
}
