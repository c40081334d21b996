#pragma once
// The file list's mask: patterns separated by ";" ("@@@@@._+_;*.mid;*.wav"). A name is
// listed when it matches any one pattern: "*" stands for any run of characters, "?" for
// exactly one, and letters match without regard to ASCII case (other bytes exactly).
// The mask is taken apart once, so matching the names of a large directory stays cheap.
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class FileMask {
public:
    FileMask() = default;  // no pattern: matches nothing
    explicit FileMask(std::string_view mask);

    bool matches(std::string_view name) const;
    bool empty() const { return extensions.empty() && literals.empty() && suffixes.empty() && wildcards.empty(); }

private:
    // Every pattern is stored lower-cased, in the cheapest form that decides it.
    std::unordered_set<std::string> extensions;  // "*.mid": the name's last "." and what follows
    std::vector<std::string> literals;           // no wildcard at all: the whole name
    std::vector<std::string> suffixes;           // "*" then no wildcard ("*.mid"): the end of the name
    std::vector<std::string> wildcards;          // anything else
};

// One pattern against one name with the rules above.
bool WildcardMatch(std::string_view pattern, std::string_view name);
