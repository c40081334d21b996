#include "core/base/WithTrailingBackslash.h"

#include <gtest/gtest.h>

#include <string>

TEST(WithTrailingBackslash, AddsTheSeparatorOnlyWhenMissing)
{
    EXPECT_EQ(WithTrailingBackslash("/home/x"), "/home/x/");
    EXPECT_EQ(WithTrailingBackslash("relative"), "relative/");
    EXPECT_EQ(WithTrailingBackslash("/"), "/");
    EXPECT_EQ(WithTrailingBackslash("/home/x/"), "/home/x/");
    EXPECT_EQ(WithTrailingBackslash("/music/odd\\"), "/music/odd\\/") << "a backslash is part of the name";
    EXPECT_EQ(WithTrailingBackslash(""), "");
}

TEST(WithTrailingBackslash, LongPathsStillGetTheirSeparator)
{
    const std::string longPath = "/" + std::string(299, 'd');
    EXPECT_EQ(WithTrailingBackslash(longPath), longPath + "/");
}
