#include "core/formats/PlsPlaylist.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "core/formats/PlaylistText.h"
#include "core/base/TextLines.h"
#include "core/base/AsciiText.h"

namespace {

constexpr long long kLargestEntryNumber = 1'000'000'000'000LL;

// N of a "FileN" key, or nothing for any other key.
std::optional<long long> fileEntryNumber(std::string_view key)
{
    if (key.size() <= 4 || !EqualsIgnoringAsciiCase(key.substr(0, 4), "file"))
        return std::nullopt;
    long long number = 0;
    for (char c : key.substr(4)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
        if (number > kLargestEntryNumber)
            return std::nullopt;
    }
    return number;
}

}  // namespace

std::vector<std::string> ReadPls(std::string_view bytes, std::string_view playlistDirectory)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    const std::string text = Utf8FromUtf8OrLatin1(WithoutByteOrderMark(bytes));
    std::vector<std::pair<long long, std::string>> numbered;
    bool inPlaylistSection = true;  // keys before any section header count too
    for (std::string_view line : SplitTextLines(text)) {
        line = TrimBlanks(line);
        if (line.starts_with('[')) {
            const std::size_t close = line.find(']');
            inPlaylistSection = close != std::string_view::npos &&
                                EqualsIgnoringAsciiCase(TrimBlanks(line.substr(1, close - 1)), "playlist");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inPlaylistSection || equals == std::string_view::npos)
            continue;
        const std::optional<long long> number = fileEntryNumber(TrimBlanks(line.substr(0, equals)));
        if (!number)
            continue;
        if (std::optional<std::string> path =
                ResolvePlaylistLocation(TrimBlanks(line.substr(equals + 1)), playlistDirectory))
            numbered.emplace_back(*number, std::move(*path));
    }
    // Stable, so the first of a repeated number comes first and is the one kept.
    std::ranges::stable_sort(numbered, {}, &std::pair<long long, std::string>::first);
    std::vector<std::string> files;
    files.reserve(numbered.size());
    for (std::size_t i = 0; i < numbered.size(); ++i) {
        if (i > 0 && numbered[i].first == numbered[i - 1].first)
            continue;
        files.push_back(std::move(numbered[i].second));
    }
    return files;
}
