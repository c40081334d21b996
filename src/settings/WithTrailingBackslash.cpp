#include "settings/WithTrailingBackslash.h"

std::string WithTrailingBackslash(std::string_view directory)
{
    std::string joined(directory);
    if (joined.empty())
        return joined;
    const char last = joined.back();
    if (last != '/' && last != '\\')
        joined += '/';
    return joined;
}
