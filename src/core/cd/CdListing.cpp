#include "core/cd/CdListing.h"

#include <algorithm>

#include "core/cd/CdEntry.h"
#include "core/cd/CdRecordText.h"

namespace {

// The notes as stored: lines end in CR LF. Cut to the field without splitting a character or
// a line end.
std::string withCrLf(std::string_view notes)
{
    std::string stored;
    for (const char c : notes) {
        if (c == '\n')
            stored += '\r';
        if (c != '\r')
            stored += c;
    }
    return stored;
}

std::string storedNotes(const std::string& notes)
{
    std::string stored(CdRecordText::fittingStart(withCrLf(notes), CdRecord::kLongestText));
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

std::string fittingText(const std::string& text)
{
    return std::string(CdRecordText::fittingStart(text, CdRecord::kLongestText));
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
    fitToRecord();
}

void CdListing::fitToRecord()
{
    fields = {fittingText(fields.title), fittingText(fields.author), fittingText(fields.category),
              shownNotes(storedNotes(fields.misc))};
    for (std::string& entry : entries)
        entry = CdRecordText::fittingStart(entry, CdRecord::kLongestSlot);
}

bool CdListing::textFits(std::string_view text) { return CdRecordText::fits(text, CdRecord::kLongestText); }

bool CdListing::notesFit(std::string_view notes) { return CdRecordText::fits(withCrLf(notes), CdRecord::kLongestText); }

CdRecord CdListing::recordFor(std::int32_t discId) const
{
    CdRecord record;
    record.discId = discId;
    record.title = fittingText(fields.title);
    record.author = fittingText(fields.author);
    record.category = fittingText(fields.category);
    record.misc = storedNotes(fields.misc);
    const std::size_t used = std::min(entries.size(), record.trackSlots.size());
    for (std::size_t j = 0; j < used; ++j)
        record.trackSlots[j] = CdRecordText::fittingStart(entries[j], CdRecord::kLongestSlot);
    return record;
}
