#include <gtest/gtest.h>

#include <cerrno>

#include "core/base/IoErrorText.h"

namespace {

TEST(IoErrorText, SystemErrorsReadAsTheProgramsMessages)
{
    EXPECT_EQ(IoErrorText::forErrno(ENOENT), "File not found");
    EXPECT_EQ(IoErrorText::forErrno(EACCES), "File access denied");
    EXPECT_EQ(IoErrorText::forErrno(ENOSPC), "Disk full");
    EXPECT_EQ(IoErrorText::forErrno(EMFILE), "Too many open files");
    EXPECT_EQ(IoErrorText::forErrno(EIO), "I/O error 5");
    EXPECT_EQ(IoErrorText::notValidInteger("abc"), "'abc' is not a valid integer value");
}

}  // namespace
