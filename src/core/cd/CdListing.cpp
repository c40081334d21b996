#include "core/cd/CdListing.h"

#include <algorithm>

#include "core/base/Utf8Text.h"
#include "core/cd/CdEntry.h"

namespace {

// The notes as stored: lines end in CR LF. Cut to the field without splitting a character or
// a line end.
std::string storedNotes(const std::string& notes)
{
    std::string stored;
    for (const char c : notes) {
        if (c == '\n')
            stored += '\r';
        if (c != '\r')
            stored += c;
    }
    stored = std::string(Utf8Prefix(stored, CdRecord::kLongestText));
    if (stored.ends_with('\r'))
        stored.pop_back();
    return stored;
}

// The notes as the panel shows them: CR LF (or a lone CR) as "\n".
std::string shownNotes(const std::string& stored)
{
    std::string shown;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] != '\r')
            shown += stored[i];
        else if (i + 1 >= stored.size() || stored[i + 1] != '\n')
            shown += '\n';
    }
    return shown;
}

}  // namespace

CdListing CdListing::forNewDisc(int numberOfTracks, int firstTrack)
{
    CdListing listing;
    listing.fields = CdFields::prompts();
    for (int track = firstTrack; track < firstTrack + numberOfTracks; ++track)
        listing.entries.push_back(CdEntry::forTrack(track));
    return listing;
}

void CdListing::nameFrom(const CdRecord& record)
{
    fields = {record.title, record.author, record.category, shownNotes(record.misc)};
    const std::size_t named = std::min(entries.size(), record.trackSlots.size());
    for (std::size_t j = 0; j < named; ++j)
        if (!CdRecord::slotIsEmpty(record.trackSlots[j]))
            entries[j] = record.trackSlots[j];
}

void CdListing::nameFrom(const DiscText& text)
{
    if (!text.albumTitle.empty())
        fields.title = text.albumTitle;
    if (!text.performer.empty())
        fields.author = text.performer;
    const std::size_t named = std::min(entries.size(), text.trackTitles.size());
    for (std::size_t j = 0; j < named; ++j)
        if (!text.trackTitles[j].empty())
            entries[j] = CdEntry::renamed(entries[j], text.trackTitles[j]);
}

CdRecord CdListing::recordFor(std::int32_t discId) const
{
    CdRecord record;
    record.discId = discId;
    record.title = Utf8Prefix(fields.title, CdRecord::kLongestText);
    record.author = Utf8Prefix(fields.author, CdRecord::kLongestText);
    record.category = Utf8Prefix(fields.category, CdRecord::kLongestText);
    record.misc = storedNotes(fields.misc);
    const std::size_t used = std::min(entries.size(), record.trackSlots.size());
    for (std::size_t j = 0; j < used; ++j)
        record.trackSlots[j] = Utf8Prefix(entries[j], CdRecord::kLongestSlot);
    return record;
}
