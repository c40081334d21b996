// Feeds arbitrary masks and names to the mask matcher and checks every answer against a
// plain dynamic-programming matcher written from the wildcard rules, pattern by pattern.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/FileMask.h"

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// matched[i][j]: the first i pattern characters match the first j name characters.
bool referenceMatch(std::string_view pattern, std::string_view name)
{
    std::vector<std::vector<bool>> matched(pattern.size() + 1, std::vector<bool>(name.size() + 1, false));
    matched[0][0] = true;
    for (std::size_t i = 1; i <= pattern.size(); ++i) {
        const char p = pattern[i - 1];
        matched[i][0] = p == '*' && matched[i - 1][0];
        for (std::size_t j = 1; j <= name.size(); ++j) {
            if (p == '*')
                matched[i][j] = matched[i - 1][j] || matched[i][j - 1];
            else
                matched[i][j] = matched[i - 1][j - 1] && (p == '?' || lowerAscii(p) == lowerAscii(name[j - 1]));
        }
    }
    return matched[pattern.size()][name.size()];
}

bool referenceMaskMatch(std::string_view mask, std::string_view name)
{
    while (true) {
        const std::size_t end = mask.find(';');
        const std::string_view pattern = mask.substr(0, end);
        if (!pattern.empty() && referenceMatch(pattern, name))
            return true;
        if (end == std::string_view::npos)
            return false;
        mask.remove_prefix(end + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string mask = input.ConsumeRandomLengthString(96);
    const std::string name = input.ConsumeRemainingBytesAsString().substr(0, 256);

    const bool expected = referenceMaskMatch(mask, name);
    if (FileMask(mask).matches(name) != expected)
        std::abort();
    if (mask.find(';') == std::string::npos && !mask.empty() && WildcardMatch(mask, name) != expected)
        std::abort();
    return 0;
}
