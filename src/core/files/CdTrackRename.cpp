#include "core/files/CdTrackRename.h"

#include "core/files/NameText.h"

namespace {

constexpr std::size_t kPrefixLength = 3;  // "03:"
constexpr std::string_view kCdTrackExtension = ".cdt";

}  // namespace

std::string CdTrackName(std::string_view row)
{
    if (row.size() < kPrefixLength + kCdTrackExtension.size())
        return {};
    return std::string(row.substr(kPrefixLength, row.size() - kPrefixLength - kCdTrackExtension.size()));
}

std::string RenamedCdEntry(std::string_view row, std::string_view newName)
{
    std::string entry(row.substr(0, kPrefixLength));
    entry += FirstCharacters(newName, kCdTrackNameLimit);
    entry += kCdTrackExtension;
    return entry;
}

std::string CdTrackNote(int row) { return "Track #" + std::to_string(row + 1); }
