#include "core/files/FileMask.h"

#include <algorithm>

#include "core/base/AsciiText.h"

namespace {

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::ranges::transform(result, result.begin(), AsciiLower);
    return result;
}

// `lowerText` is already lower-cased; `text` may be in any case.
bool equalsLowered(std::string_view lowerText, std::string_view text)
{
    return lowerText.size() == text.size() &&
           std::ranges::equal(lowerText, text, [](char l, char c) { return l == AsciiLower(c); });
}

bool hasWildcard(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

// Greedy matching that returns to the last "*" on a mismatch: linear in practice and
// never worse than pattern length times name length, whatever the input.
bool wildcardMatchLowered(std::string_view lowerPattern, std::string_view name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t resumeName = 0;
    while (n < name.size()) {
        if (p < lowerPattern.size() && lowerPattern[p] == '*') {
            starAt = p++;
            resumeName = n;
        } else if (p < lowerPattern.size() && (lowerPattern[p] == '?' || lowerPattern[p] == AsciiLower(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeName;
        } else {
            return false;
        }
    }
    while (p < lowerPattern.size() && lowerPattern[p] == '*')
        ++p;
    return p == lowerPattern.size();
}

}  // namespace

FileMask::FileMask(std::string_view mask)
{
    while (!mask.empty()) {
        const std::size_t end = std::min(mask.find(';'), mask.size());
        const std::string pattern = lowered(mask.substr(0, end));
        mask.remove_prefix(std::min(end + 1, mask.size()));
        if (pattern.empty())
            continue;  // ";;" or a trailing ";" adds nothing
        const std::string_view rest = std::string_view(pattern).substr(1);
        if (!hasWildcard(pattern))
            literals.push_back(pattern);
        else if (pattern.front() == '*' && !hasWildcard(rest) && rest.rfind('.') == 0)
            extensions.emplace(rest);  // a name ends in ".mid" exactly when its last "." starts ".mid"
        else if (pattern.front() == '*' && !hasWildcard(rest))
            suffixes.emplace_back(rest);
        else
            wildcards.push_back(pattern);
    }
}

bool FileMask::matches(std::string_view name) const
{
    // One look-up for all the type filters' extensions, however many are ticked.
    if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos && !extensions.empty()) {
        if (extensions.contains(lowered(name.substr(dot))))
            return true;
    }
    for (const std::string& suffix : suffixes) {
        if (name.size() >= suffix.size() && equalsLowered(suffix, name.substr(name.size() - suffix.size())))
            return true;
    }
    for (const std::string& literal : literals) {
        if (equalsLowered(literal, name))
            return true;
    }
    return std::ranges::any_of(wildcards,
                               [&](const std::string& pattern) { return wildcardMatchLowered(pattern, name); });
}

bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    return wildcardMatchLowered(lowered(pattern), name);
}
