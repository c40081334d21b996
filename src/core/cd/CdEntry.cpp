#include "core/cd/CdEntry.h"

#include <cstdio>

#include "core/base/FileExtension.h"
#include "core/base/Utf8Text.h"
#include "core/cd/CdRecord.h"
#include "core/cd/CdRecordText.h"

namespace {

std::string trackPrefix(int number)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.2d:", number);
    return digits;
}

}  // namespace

std::string CdEntry::forTrack(int number) { return named(number, kUnnamedTrack); }

std::string CdEntry::named(int number, std::string_view name) { return renamed(trackPrefix(number), name); }

std::string CdEntry::renamed(std::string_view entry, std::string_view name)
{
    std::string shown(Utf8FirstCharacters(name, kLongestName));
    for (char& c : shown)
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    const std::string number(entry.substr(0, 3));
    // The whole entry must fit its slot of the record, or the list would show more than the
    // disc's record keeps: a name in UTF-8 (one Windows-1252 cannot hold) is cut shorter.
    std::string renamedEntry = number + shown + std::string(kExtension);
    while (!shown.empty() && !CdRecordText::fits(renamedEntry, CdRecord::kLongestSlot)) {
        shown = Utf8Prefix(shown, shown.size() - 1);
        renamedEntry = number + shown + std::string(kExtension);
    }
    return renamedEntry;
}

std::string CdEntry::trackName(std::string_view entry)
{
    const std::size_t prefix = 3;  // "01:"
    if (entry.size() < prefix + kExtension.size())
        return std::string(entry);
    return std::string(entry.substr(prefix, entry.size() - prefix - kExtension.size()));
}

bool CdEntry::isEjectedWithTheDisc(std::string_view text) { return ExtensionOf(text) == kExtension; }
