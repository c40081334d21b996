#include "core/base/UniqueFd.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <cerrno>

namespace {

bool isOpen(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

int openNull() { return ::open("/dev/null", O_RDONLY | O_CLOEXEC); }

TEST(UniqueFd, TheDescriptorHeldIsClosedWhenReplacedAndWhenTheHolderGoes)
{
    const int first = openNull();
    int second = -1;
    {
        UniqueFd holder(first);
        second = openNull();
        holder.reset(second);
        EXPECT_FALSE(isOpen(first));
        EXPECT_TRUE(isOpen(second));
        EXPECT_EQ(holder.get(), second);
    }
    EXPECT_FALSE(isOpen(second));
}

TEST(UniqueFd, CloseReportsItsOutcomeAndLeavesNothingToCloseAgain)
{
    const int fd = openNull();
    UniqueFd holder(fd);
    EXPECT_EQ(holder.close(), 0);
    EXPECT_FALSE(isOpen(fd));
    EXPECT_EQ(holder.get(), -1);
    EXPECT_EQ(holder.close(), EBADF) << "there is nothing left to close";
}

}  // namespace
