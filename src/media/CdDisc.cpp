#include "media/CdDisc.h"

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "core/base/SonorailError.h"
#include "core/base/Utf8Text.h"

namespace {

// libcdio tells why an open failed only through its log. The first warning or error of the
// calling thread since the open began is kept for the error text (later ones only say that
// the open failed) instead of being printed to stderr.
thread_local std::string firstLibcdioComplaint;

void keepLibcdioComplaint(cdio_log_level_t level, const char* message)
{
    if (level < CDIO_LOG_WARN || message == nullptr || !firstLibcdioComplaint.empty())
        return;
    firstLibcdioComplaint = message;
    while (!firstLibcdioComplaint.empty() && (firstLibcdioComplaint.back() == '\n' || firstLibcdioComplaint.back() == ' '))
        firstLibcdioComplaint.pop_back();
}

void routeLibcdioLog()
{
    static std::once_flag routed;
    std::call_once(routed, [] { cdio_log_set_handler(keepLibcdioComplaint); });
}

// "<what>: <libcdio's complaint>", or "<what>: <fallback>" when libcdio said nothing.
std::string withLibcdioReason(const std::string& what, const std::string& fallback)
{
    const std::string& reason = firstLibcdioComplaint.empty() ? fallback : firstLibcdioComplaint;
    return what + ": " + reason;
}

std::string defaultDrive()
{
    char* name = cdio_get_default_device(nullptr);
    if (name == nullptr)
        throw SonorailError(firstLibcdioComplaint.empty() ? "There is no CD drive" : withLibcdioReason("There is no CD drive", ""));
    std::string drive = name;
    std::free(name);
    return drive;
}

// A regular file is an image; anything else (a block device) is taken for a drive.
bool isImageFile(const std::string& location)
{
    struct stat status {};
    if (stat(location.c_str(), &status) != 0)
        throw SonorailError("Cannot open the CD device " + location + ": " + std::strerror(errno));
    return S_ISREG(status.st_mode);
}

// libcdio takes the texts of a cue sheet for Latin-1 and hands them on as UTF-8; a sheet
// written in UTF-8 (as tools on Linux write it) then arrives encoded twice. Such a text is
// taken back to the bytes of the sheet. Real Latin-1 text practically never reads as UTF-8
// once taken back, so it is left alone.
std::string undoubledUtf8(const char* text)
{
    std::string latin1;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c != 0; ++c) {
        if (*c < 0x80) {
            latin1 += static_cast<char>(*c);
        } else if ((*c == 0xC2 || *c == 0xC3) && (c[1] & 0xC0) == 0x80) {
            latin1 += static_cast<char>(((*c & 0x03) << 6) | (c[1] & 0x3F));
            ++c;
        } else {
            return text;  // a character beyond Latin-1: not encoded twice
        }
    }
    const bool hasMultiByte = std::any_of(latin1.begin(), latin1.end(), [](char c) { return (c & 0x80) != 0; });
    return hasMultiByte && IsValidUtf8(latin1) ? latin1 : std::string(text);
}

std::string textField(cdtext_t* text, cdtext_field_t field, track_t track)
{
    const char* value = cdtext_get_const(text, field, track);
    return value == nullptr ? std::string() : undoubledUtf8(value);
}

}  // namespace

void CdDisc::Closer::operator()(CdIo_t* cd) const { cdio_destroy(cd); }

CdDisc::CdDisc(const std::string& deviceOrImage)
{
    routeLibcdioLog();
    firstLibcdioComplaint.clear();
    where = deviceOrImage.empty() ? defaultDrive() : deviceOrImage;
    image = isImageFile(where);
    handle.reset(cdio_open(where.c_str(), image ? DRIVER_BINCUE : DRIVER_DEVICE));
    if (!handle) {
        throw SonorailError(image ? withLibcdioReason("Cannot read the CD image " + where, "not a readable BIN/CUE image")
                                  : withLibcdioReason("Cannot open the CD drive " + where, "the drive does not answer"));
    }
    readTableOfContents();
}

CdDisc::~CdDisc() = default;
CdDisc::CdDisc(CdDisc&&) noexcept = default;
CdDisc& CdDisc::operator=(CdDisc&&) noexcept = default;

void CdDisc::readTableOfContents()
{
    const track_t first = cdio_get_first_track_num(handle.get());
    const track_t count = cdio_get_num_tracks(handle.get());
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
        throw SonorailError(image ? withLibcdioReason("The CD image " + where + " holds no tracks", "no table of contents")
                                  : "There is no disc in the drive " + where);
    }
    for (int number = first; number < first + count; ++number) {
        const auto track = static_cast<track_t>(number);
        const lsn_t start = cdio_get_track_lsn(handle.get(), track);
        if (start == CDIO_INVALID_LSN)
            throw SonorailError(withLibcdioReason("Cannot read track " + std::to_string(number) + " of " + where,
                                                  "its start is unknown"));
        toc.push_back({number, start, static_cast<long>(cdio_get_track_sec_count(handle.get(), track))});
    }
    const lsn_t end = cdio_get_track_lsn(handle.get(), CDIO_CDROM_LEADOUT_TRACK);
    const Track& last = toc.back();
    leadOut = end == CDIO_INVALID_LSN ? last.startSector + last.sectorCount : end;
}

const CdDisc::Track& CdDisc::track(int number) const
{
    const int index = number - firstTrackNumber();
    if (index < 0 || index >= numberOfTracks())
        throw SonorailError("The disc has no track " + std::to_string(number));
    return toc[static_cast<std::size_t>(index)];
}

DiscTableOfContents CdDisc::tableOfContents() const
{
    DiscTableOfContents contents;
    contents.firstTrack = toc.front().number;
    contents.lastTrack = toc.back().number;
    for (const Track& track : toc)
        contents.trackStarts.push_back(track.startSector + DiscTableOfContents::kLeadInSectors);
    contents.leadOut = leadOut + DiscTableOfContents::kLeadInSectors;
    return contents;
}

const DiscText& CdDisc::text()
{
    if (textRead || !handle)
        return cdText;
    textRead = true;
    cdtext_t* text = cdio_get_cdtext(handle.get());  // owned by the handle
    if (text == nullptr)
        return cdText;
    cdText.albumTitle = textField(text, CDTEXT_FIELD_TITLE, 0);
    cdText.performer = textField(text, CDTEXT_FIELD_PERFORMER, 0);
    for (const Track& track : toc)
        cdText.trackTitles.push_back(textField(text, CDTEXT_FIELD_TITLE, static_cast<track_t>(track.number)));
    return cdText;
}

// libcdio's own eject on an open handle fails for an image and leaves the handle unsafe
// to destroy; so the handle is always released first and a drive is ejected by name.
void CdDisc::eject()
{
    if (!handle)
        return;
    handle.reset();
    if (image)
        return;
    const driver_return_code_t result = cdio_eject_media_drive(where.c_str());
    if (result != DRIVER_OP_SUCCESS)
        throw SonorailError("Cannot eject the disc in " + where + ": " + cdio_driver_errmsg(result));
}
