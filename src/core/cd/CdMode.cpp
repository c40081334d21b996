#include "core/cd/CdMode.h"

#include <algorithm>
#include <span>
#include <utility>

#include "core/base/SonorailError.h"
#include "core/cd/CdEntry.h"
#include "core/cd/DiscId.h"
#include "core/cd/LookedUpNames.h"

const char* const kCannotUpdateWhilePlayingText = "Can not update CD info while multimedia is playing.";
const char* const kCannotPlayCdWhilePlayingText = "Can not do that while multimedia is playing.";

namespace {

// A prompt is no name: the desktop's media controls get nothing for it.
std::string unlessPrompt(const std::string& text, const char* prompt) { return text == prompt ? std::string() : text; }

}  // namespace

CdMode::CdMode(MediaPlayer& player, const PlaybackState& playback, PlayQueue& queue, QueueEditing& editing,
               CommandControl& commands, const CdViews& views, const Settings& settings)
    : player(player),
      playback(playback),
      queue(queue),
      editing(editing),
      commands(commands),
      views(views),
      settings(settings)
{
}

bool CdMode::UpdateCDInfo()
{
    if (playback.playState == PlayState::Playing) {
        views.infoBar->showInfo(kCannotUpdateWhilePlayingText);
        return false;
    }
    storeTypedText();
    player.selectDevice(kCdAudioDevice, "");
    ClearCDInfo();
    const std::optional<TableOfContents> toc = readTableOfContents();
    if (!toc)
        return false;
    currentDiscId = DiscIdOf(toc->totalLength, toc->numberOfTracks);
    CdListing listing = CdListing::forNewDisc(toc->numberOfTracks, toc->firstTrack);
    panel().setEntries(listing.entries);
    panel().enableFields(true);
    commands.SetCommandEnabled(Command::EjectCd, true);
    discFields = listing.fields;

    // The lookup runs before the player closes, so that a disc never stored can still give
    // its CD-Text; the player is closed however the lookup ends.
    CdDatabase::Lookup found;
    DiscText text;
    DiscTableOfContents contents;
    try {
        recordIndexKnown = false;
        found = CdDatabase::inProgramDir().find(currentDiscId);
        recordIndex = found.recordIndex;
        recordIndexKnown = true;
        if (!found.record) {
            text = discTextIfAny();
            contents = tableOfContentsIfAny();
        }
    } catch (...) {
        player.close();
        throw;
    }
    player.close();

    if (found.record)
        listing.nameFrom(*found.record);
    else
        listing.nameFrom(text);
    panel().setFields(listing.fields);
    panel().setEntries(listing.entries);
    discFields = listing.fields;
    if (!found.record)
        lookUpOnline(contents);
    return true;
}

// The presence test: a disc counts as there when the player opens it and tells both its
// length and its number of tracks. Any failure closes the player and reads as no disc.
std::optional<CdMode::TableOfContents> CdMode::readTableOfContents()
{
    try {
        player.open();
        player.setTimeFormatMilliseconds();
        TableOfContents toc{player.length(), player.numberOfTracks(), player.firstTrackNumber()};
        if (toc.totalLength > 0 && toc.numberOfTracks > 0 && toc.firstTrack >= 1 &&
            toc.firstTrack + toc.numberOfTracks - 1 <= CdRecord::kSlotCount)
            return toc;
    } catch (const SonorailError&) {
        // No drive, no disc, an image that cannot be read: the same quiet end.
    }
    player.close();
    return std::nullopt;
}

DiscText CdMode::discTextIfAny()
{
    try {
        return player.discText();
    } catch (const SonorailError&) {
        return {};  // the names are a help, not a need
    }
}

DiscTableOfContents CdMode::tableOfContentsIfAny()
{
    try {
        return player.tableOfContents();
    } catch (const SonorailError&) {
        return {};  // no lookup for this disc
    }
}

// The panel already shows the disc; the names come later, if at all.
void CdMode::lookUpOnline(const DiscTableOfContents& toc)
{
    if (!settings.optOnlineLookup || settings.LookupServer.empty() || toc.empty())
        return;
    awaitingNames = CdListing{panel().fields(), panel().entries()};
    views.lookup->lookUp(toc, settings.LookupServer,
                         {[this](const LookedUpNames& names) { takeLookedUpNames(names); },
                          [this](const std::string& why) { lookupFailed(why); }});
}

void CdMode::takeLookedUpNames(const LookedUpNames& names)
{
    if (!awaitingNames)
        return;
    CdListing listing = *std::exchange(awaitingNames, std::nullopt);
    if (panel().fields() != listing.fields || panel().entries() != listing.entries)
        return;  // what the user typed wins
    listing.fields = {names.title, names.author, names.category, names.notes};
    const std::size_t named = std::min(listing.entries.size(), names.trackTitles.size());
    for (std::size_t j = 0; j < named; ++j)
        if (!names.trackTitles[j].empty())
            listing.entries[j] = CdEntry::named(static_cast<int>(j) + 1, names.trackTitles[j]);

    // Stored first, then shown as stored: the panel holds exactly what the record keeps.
    const CdDatabase database = CdDatabase::inProgramDir();
    if (!recordIndexKnown) {
        recordIndex = database.find(currentDiscId).recordIndex;
        recordIndexKnown = true;
    }
    const CdRecord record = listing.recordFor(currentDiscId);
    database.store(record, recordIndex);
    const std::string bytes = record.encode();
    listing.nameFrom(CdRecord::decode(std::span<const unsigned char, CdRecord::kSize>(
        reinterpret_cast<const unsigned char*>(bytes.data()), CdRecord::kSize)));
    panel().setFields(listing.fields);
    panel().setEntries(listing.entries);
    discFields = listing.fields;
}

void CdMode::lookupFailed(const std::string& why)
{
    if (!awaitingNames)
        return;
    awaitingNames.reset();
    views.infoBar->showInfo(why);
}

void CdMode::cancelLookup()
{
    if (!awaitingNames)
        return;
    awaitingNames.reset();
    views.lookup->cancel();
}

void CdMode::StoreCDInfo()
{
    const CdDatabase database = CdDatabase::inProgramDir();
    // After a lookup that failed, the index may be that of another disc's record: find the
    // disc's place again before writing over anything.
    if (!recordIndexKnown) {
        recordIndex = database.find(currentDiscId).recordIndex;
        recordIndexKnown = true;
    }
    const CdListing shown{panel().fields(), panel().entries()};
    database.store(shown.recordFor(currentDiscId), recordIndex);
    discFields = shown.fields;
}

// A user never loses what was typed: a field that still has the focus when the panel is
// cleared is stored first, as leaving it would have stored it.
void CdMode::storeTypedText()
{
    if (panel().fieldHasFocus())
        StoreCDInfo();
}

void CdMode::ClearCDInfo()
{
    cancelLookup();
    panel().setEntries({});
    panel().setFields(CdFields::prompts());
    panel().enableFields(false);
    panel().selectTab(SourceTab::Files);
    commands.SetCommandEnabled(Command::EjectCd, false);
}

void CdMode::EjectCD()
{
    if (playback.playState == PlayState::Playing)
        commands.ExecuteCommand(Command::Stop);
    storeTypedText();
    player.selectDevice(kCdAudioDevice, "");
    ClearCDInfo();
    player.open();
    try {
        player.eject();
    } catch (const SonorailError&) {
        // A drive that refuses to open its door: the disc stays; nothing to report.
    }
    player.close();
    PurgeCDTracks();
}

void CdMode::PurgeCDTracks()
{
    queue.removeIf([this](int row) { return CdEntry::isEjectedWithTheDisc(queue.entry(row).text); });
}

bool CdMode::PlayTheCD()
{
    if (playback.playState == PlayState::Playing) {
        views.infoBar->showInfo(kCannotPlayCdWhilePlayingText);
        return false;
    }
    if (!editing.RemoveFromQueue(true))
        return false;
    panel().selectTab(SourceTab::CdAudio);
    commands.ExecuteCommand(Command::UpdateCdInfo);
    panel().selectTab(SourceTab::CdAudio);  // reading the disc selected "Files"
    commands.ExecuteCommand(Command::AddAllToQueue);
    commands.ExecuteCommand(Command::Play);
    return true;
}

std::string CdMode::discTitle() const { return unlessPrompt(discFields.title, CdFields::kTitlePrompt); }

std::string CdMode::discAuthor() const { return unlessPrompt(discFields.author, CdFields::kAuthorPrompt); }
