#pragma once
// The tips file, "tipofday.txt": its first line is the number of tips N in decimal, and each
// of the next N lines is one tip. Lines after those are never tips, whatever the file holds.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TipOfDayFile {
public:
    // Reads the file's text. Throws SonorailError("'%s' is not a valid integer value", the
    // first line filled in) when the first line is no integer. A count of zero or below
    // gives no tips; a count larger than the lines that follow gives the lines present, so
    // a hand-edited file that miscounts still shows one of its tips rather than nothing.
    explicit TipOfDayFile(std::string_view text);

    std::size_t count() const { return tips.size(); }
    // The tip at index (0 to count() - 1), as the file's bytes.
    const std::string& tip(std::size_t index) const { return tips.at(index); }

private:
    std::vector<std::string> tips;
};
