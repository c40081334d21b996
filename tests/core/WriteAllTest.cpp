#include "core/base/WriteAll.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "core/base/UniqueFd.h"
#include "support/ScopedTmpfs.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"

namespace {

TEST(WriteAll, WritesEveryByteAtTheOffsetOrWhereItIsToldWithoutMovingTheOffset)
{
    const TempDir dir;
    const std::string path = dir.file("out");
    const UniqueFd file(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    ASSERT_GE(file.get(), 0);
    const std::string large(3 << 20, 'x');
    EXPECT_EQ(WriteAll(file.get(), large), 0);
    EXPECT_EQ(WriteAllAt(file.get(), "head", 0), 0);
    EXPECT_EQ(::lseek(file.get(), 0, SEEK_CUR), static_cast<off_t>(large.size()));
    EXPECT_EQ(WriteAll(file.get(), "tail"), 0);
    EXPECT_EQ(test_files::read(path), "head" + large.substr(4) + "tail");
}

TEST(WriteAll, AFailingWriteGivesItsErrno)
{
    const UniqueFd readOnly(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    EXPECT_EQ(WriteAll(readOnly.get(), "bytes"), EBADF);
    EXPECT_EQ(WriteAllAt(readOnly.get(), "bytes", 0), EBADF);
}

// The disk fills half-way through the bytes: the part written is kept going, and the write
// that finds no room reports it.
TEST(WriteAll, ADiskThatFillsHalfWayIsReportedAsFull)
{
    ScopedTmpfs small("64k");
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount here: " << std::strerror(errno);
    const std::string path = small.file("out");
    const UniqueFd file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
    ASSERT_GE(file.get(), 0);
    EXPECT_EQ(WriteAll(file.get(), std::string(1 << 20, 'x')), ENOSPC);
    EXPECT_EQ(WriteAllAt(file.get(), std::string(1 << 20, 'x'), 0), ENOSPC);
}

}  // namespace
