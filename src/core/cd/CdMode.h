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
#include "core/commands/CommandControl.h"
#include "core/playback/MediaPlayer.h"
#include "core/playback/PlaybackState.h"
#include "core/queue/QueueEditing.h"

// The CD panel and the information bar, as the session points them at the main window.
struct CdViews {
    CdView* panel = &CdView::none();
    InformationBar* infoBar = &InformationBar::none();
};

extern const char* const kCannotUpdateWhilePlayingText;
extern const char* const kCannotPlayCdWhilePlayingText;

class CdMode {
public:
    CdMode(MediaPlayer& player, const PlaybackState& playback, PlayQueue& queue, QueueEditing& editing,
           CommandControl& commands, const CdViews& views);

    // Command 24: reads the disc into the CD list and names it from the database (or, for a
    // disc never stored, from its CD-Text). False, with the panel cleared, when there is no
    // disc to read; refused while something plays.
    bool UpdateCDInfo();
    // What the panel shows, stored under the disc read last (when a field is left, after a
    // CD track is renamed).
    void StoreCDInfo();
    // The panel to its cleared state; never stores.
    void ClearCDInfo();
    // Command 25: stops what plays, clears the panel, ejects (an image is only released) and
    // takes the disc's tracks out of the queue.
    void EjectCD();
    // Queue entries of CD tracks (".cdt" in lower case) leave the queue.
    void PurgeCDTracks();
    // Command 26: replaces the queue by the whole disc and plays it. True once play was given.
    bool PlayTheCD();

    std::int32_t discId() const { return DiscId; }
    std::int32_t currentRecordIndex() const { return CurrentRecordIndex; }
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
    void storeTypedText();
    CdView& panel() const { return *views.panel; }

    MediaPlayer& player;
    const PlaybackState& playback;
    PlayQueue& queue;
    QueueEditing& editing;
    CommandControl& commands;
    const CdViews& views;
    std::int32_t DiscId = 0;
    std::int32_t CurrentRecordIndex = 0;
    // False after a lookup that failed half-way: CurrentRecordIndex may then be another disc's.
    bool recordIndexKnown = true;
    CdFields discFields = CdFields::prompts();
};
