#pragma once
// CD mode: reading the disc in the drive (or the image the settings name) into the CD list,
// storing the names the user gives it in the CD information database and bringing them back
// when the disc returns, clearing the CD panel, ejecting the disc and playing it whole.
#include <cstdint>
#include <optional>
#include <string>

#include "core/base/InformationBar.h"
#include "core/cd/CdDatabase.h"
#include "core/cd/CdListing.h"
#include "core/cd/CdView.h"
#include "core/cd/DiscLookup.h"
#include "core/base/CommandControl.h"
#include "core/playback/MediaPlayer.h"
#include "core/playback/PlaybackState.h"
#include "core/queue/QueueEditing.h"
#include "core/settings/Settings.h"

// The CD panel and the information bar, as the session points them at the main window, and
// the online lookup of discs the database does not know.
struct CdViews {
    CdView* panel = &CdView::none();
    InformationBar* infoBar = &InformationBar::none();
    DiscLookup* lookup = &DiscLookup::none();
};

extern const char* const kCannotUpdateWhilePlayingText;
extern const char* const kCannotPlayCdWhilePlayingText;

class CdMode {
public:
    CdMode(MediaPlayer& player, const PlaybackState& playback, PlayQueue& queue, QueueEditing& editing,
           CommandControl& commands, const CdViews& views, const Settings& settings);

    // Command::UpdateCdInfo: reads the disc into the CD list and names it from the database
    // (or, for a disc never stored, from its CD-Text, and then, when the settings allow, from
    // the online lookup once it answers). False, with the panel cleared, when there is no disc
    // to read; refused while something plays.
    bool UpdateCDInfo();
    // What the panel shows, stored under the disc read last (when a field is left, after a
    // CD track is renamed).
    void StoreCDInfo();
    // The panel to its cleared state; never stores. An online lookup under way is dropped.
    void ClearCDInfo();
    // Command::EjectCd: stops what plays, clears the panel, ejects (an image is only released)
    // and takes the disc's tracks out of the queue.
    void EjectCD();
    // Queue entries of CD tracks (".cdt" in lower case) leave the queue.
    void PurgeCDTracks();
    // Command::PlayCd: replaces the queue by the whole disc and plays it. True once play was
    // given.
    bool PlayTheCD();

    std::int32_t discId() const { return currentDiscId; }
    std::int32_t currentRecordIndex() const { return recordIndex; }
    // The title and author of the disc read last as they were read or stored; empty while the
    // panel holds the prompts (for the desktop's media controls).
    std::string discTitle() const;
    std::string discAuthor() const;

private:
    struct TableOfContents {
        long totalLength = 0;
        int numberOfTracks = 0;
        int firstTrack = 1;
    };
    std::optional<TableOfContents> readTableOfContents();
    DiscText discTextIfAny();
    DiscTableOfContents tableOfContentsIfAny();
    void lookUpOnline(const DiscTableOfContents& toc);
    void takeLookedUpNames(const LookedUpNames& names);
    void lookupFailed(const std::string& why);
    void cancelLookup();
    void storeTypedText();
    CdView& panel() const { return *views.panel; }

    MediaPlayer& player;
    const PlaybackState& playback;
    PlayQueue& queue;
    QueueEditing& editing;
    CommandControl& commands;
    const CdViews& views;
    const Settings& settings;
    std::int32_t currentDiscId = 0;
    std::int32_t recordIndex = 0;
    // False after a lookup that failed half-way: recordIndex may then be another disc's.
    bool recordIndexKnown = true;
    CdFields discFields = CdFields::prompts();
    // What the panel showed when the online lookup was asked: an answer that finds anything
    // else there (the user typed, renamed a track) leaves it alone.
    std::optional<CdListing> awaitingNames;
};
