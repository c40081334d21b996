#pragma once
// The one rule for joining a directory and a name: every place that builds a path from a
// directory adds the separator through this function, so no path ends up with two or none.
#include <string>
#include <string_view>

// Returns directory followed by "/" unless it already ends in "/". A "\" is an ordinary
// character of a Linux file name (a directory may be called "a\"), so it is no separator
// here. Long paths get their separator like any other.
// Empty text is returned unchanged: appending "/" would turn "no directory" into the root.
std::string WithTrailingBackslash(std::string_view directory);
