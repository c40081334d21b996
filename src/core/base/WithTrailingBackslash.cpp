#include "core/base/WithTrailingBackslash.h"

std::string WithTrailingBackslash(std::string_view directory)
{
    std::string joined(directory);
    if (joined.empty())
        return joined;
    if (joined.back() != '/')
        joined += '/';
    return joined;
}
