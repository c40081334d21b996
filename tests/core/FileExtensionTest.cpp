#include "core/base/FileExtension.h"

#include <gtest/gtest.h>

namespace {

TEST(FileExtension, TheExtensionIsTheTailFromTheLastDotAfterEverySeparator)
{
    EXPECT_EQ(ExtensionOf("C:\\MUSIC\\SONG.MID"), ".MID");
    EXPECT_EQ(ExtensionOf("/home/a/song.tar.mid"), ".mid");
    EXPECT_EQ(ExtensionOf("/home/a.b/song"), "");
    EXPECT_EQ(ExtensionOf("a.b:c"), "");
    EXPECT_EQ(ExtensionOf("a.b\\c"), "");
    EXPECT_EQ(ExtensionOf("/m/.hidden"), ".hidden");
    EXPECT_EQ(ExtensionOf("name."), ".");
    EXPECT_EQ(ExtensionOf(""), "");
}

}  // namespace
