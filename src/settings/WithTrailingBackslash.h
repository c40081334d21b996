#pragma once
// The one rule for joining a directory and a name: every place that builds a path from a
// directory adds the separator through this function, so no path ends up with two or none.
#include <string>
#include <string_view>

// Returns directory followed by "/" unless it already ends in a separator ("/", or "\" as
// typed by users used to the Windows form). Long paths get their separator like any other.
// Empty text is returned unchanged: appending "/" would turn "no directory" into the root.
std::string WithTrailingBackslash(std::string_view directory);
