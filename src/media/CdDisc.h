#pragma once
// An audio CD as libcdio reads it: a drive with a disc in it, or a BIN/CUE image file that
// stands in for one. The table of contents is read once when the disc opens and stays
// readable after the disc is released (ejected), so a player can still answer questions
// about what it was playing.
#include <memory>
#include <string>
#include <vector>

#include "core/playback/DiscTableOfContents.h"
#include "core/playback/DiscText.h"

typedef struct _CdIo CdIo_t;

class CdDisc {
public:
    static constexpr long kSectorsPerSecond = 75;

    struct Track {
        int number = 0;        // as the disc numbers it
        long startSector = 0;  // LSN: sector 0 is the first after the 2 s lead-in gap
        long sectorCount = 0;
    };

    // Opens deviceOrImage: a drive ("/dev/sr0"), a BIN/CUE image (the .cue file), or the
    // system's default drive when empty. Throws SonorailError when there is no such drive
    // or file, no disc in the drive, or the image cannot be read.
    explicit CdDisc(const std::string& deviceOrImage);
    ~CdDisc();
    CdDisc(CdDisc&&) noexcept;
    CdDisc& operator=(CdDisc&&) noexcept;
    CdDisc(const CdDisc&) = delete;
    CdDisc& operator=(const CdDisc&) = delete;

    // The drive or image file as opened (the default drive's name when none was given).
    const std::string& location() const { return where; }
    bool isImage() const { return image; }
    // False once the disc was ejected.
    bool isHeld() const { return handle != nullptr; }

    int numberOfTracks() const { return static_cast<int>(toc.size()); }
    int firstTrackNumber() const { return toc.front().number; }
    const std::vector<Track>& tracks() const { return toc; }
    // Throws SonorailError for a number the disc does not have.
    const Track& track(int number) const;
    long leadOutSector() const { return leadOut; }
    // The same, counted from the start of the lead-in, as online disc databases take it.
    DiscTableOfContents tableOfContents() const;

    // The disc's CD-Text (album title, performer, track titles), read at the first request
    // while the disc is held and kept from then on; empty when the disc has none. libcdio
    // reads it from a drive and from the TITLE and PERFORMER lines (or the CDTEXTFILE) of a
    // cue sheet.
    const DiscText& text();

    // Only a drive has a door; an image is only released.
    bool canEject() const { return !image; }
    // Releases the disc; on a drive the door opens too. Throws SonorailError when the drive
    // refuses (the disc is released all the same).
    void eject();

    // Sectors as milliseconds, rounded down.
    static long milliseconds(long sectors) { return sectors * 1000 / kSectorsPerSecond; }

private:
    struct Closer {
        void operator()(CdIo_t* cd) const;
    };

    void readTableOfContents();

    std::string where;
    bool image = false;
    std::unique_ptr<CdIo_t, Closer> handle;
    std::vector<Track> toc;
    long leadOut = 0;
    bool textRead = false;
    DiscText cdText;
};
