#include "media/CdDisc.h"

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "core/base/RegularFile.h"
#include "core/base/SonorailError.h"
#include "core/base/Utf8Text.h"
#include "core/cd/CueSheet.h"

namespace {

constexpr long kRawSectorBytes = 2352;

// libcdio tells why an open failed only through its log. The first warning or error of the
// calling thread since the open began is kept for the error text (later ones only say that
// the open failed) instead of being printed to stderr.
thread_local std::string firstLibcdioComplaint;

void keepLibcdioComplaint(cdio_log_level_t level, const char* message)
{
    if (level < CDIO_LOG_WARN || message == nullptr || !firstLibcdioComplaint.empty())
        return;
    firstLibcdioComplaint = message;
    while (!firstLibcdioComplaint.empty() &&
           (firstLibcdioComplaint.back() == '\n' || firstLibcdioComplaint.back() == ' '))
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
        throw SonorailError(firstLibcdioComplaint.empty() ? "There is no CD drive"
                                                          : withLibcdioReason("There is no CD drive", ""));
    std::string drive = name;
    std::free(name);
    return drive;
}

// A regular file is an image, a device a drive; anything else (a named pipe) is neither.
bool isImageFile(const std::string& location)
{
    struct stat status {};
    if (stat(location.c_str(), &status) != 0)
        throw SonorailError("Cannot open the CD device " + location + ": " + std::strerror(errno));
    if (!S_ISREG(status.st_mode) && !S_ISBLK(status.st_mode) && !S_ISCHR(status.st_mode))
        throw SonorailError("Cannot open the CD device " + location + ": it is neither a drive nor a disc image");
    return S_ISREG(status.st_mode);
}

std::string sheetText(const std::string& cue)
{
    UniqueFd file;
    if (const int error = RegularFile::openForReading(cue, file))
        throw SonorailError(std::strerror(error));
    std::string text;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw SonorailError(std::strerror(errno));
        if (got == 0 || text.size() > CueSheet::kLargestSheet)
            return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

// A file the sheet leads libcdio to open: only a regular file, readable.
void requireImagePart(const std::string& path, const char* role)
{
    if (const int error = RegularFile::checkReadable(path)) {
        throw SonorailError(std::string(role) + " " + path + ": " +
                            (error == RegularFile::kNotARegularFile ? "it is not a file" : std::strerror(error)));
    }
}

std::string resolvedBeside(const std::string& cue, const std::string& name)
{
    if (name.starts_with('/'))
        return name;
    const std::size_t slash = cue.rfind('/');
    return slash == std::string::npos ? name : cue.substr(0, slash + 1) + name;
}

// libcdio reads an image only by its cue sheet, and takes its sectors from the .bin of the
// same name beside it (a name ending in "cue" gets "bin", "CUE" gets "BIN").
std::string dataFileLibcdioReads(const std::string& cue)
{
    const bool lower = cue.size() > 3 && cue.ends_with("cue");
    if (!lower && !(cue.size() > 3 && cue.ends_with("CUE")))
        throw SonorailError("a disc image is named by its cue sheet (.cue)");
    return cue.substr(0, cue.size() - 3) + (lower ? "bin" : "BIN");
}

// Everything libcdio would trust in an image, checked before it sees it: the sheet itself,
// and the files it opens for it.
void checkImage(const std::string& cue)
{
    const std::string binary = dataFileLibcdioReads(cue);
    const CueSheet sheet = CueSheet::parse(sheetText(cue));
    requireImagePart(binary, "its data file");
    requireImagePart(resolvedBeside(cue, sheet.dataFile), "its data file");
    for (const std::string& name : sheet.cdTextFiles)
        requireImagePart(resolvedBeside(cue, name), "its CD-Text file");
    struct stat status {};
    if (::stat(binary.c_str(), &status) != 0 || status.st_size / kRawSectorBytes <= sheet.lastTrackStart)
        throw SonorailError("its data file " + binary + " ends before track " + std::to_string(sheet.numberOfTracks) +
                            " starts");
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
    if (image) {
        try {
            checkImage(where);
        } catch (const SonorailError& error) {
            throw SonorailError("Cannot read the CD image " + where + ": " + error.what());
        }
    }
    handle.reset(cdio_open(where.c_str(), image ? DRIVER_BINCUE : DRIVER_DEVICE));
    if (!handle) {
        throw SonorailError(image
                                ? withLibcdioReason("Cannot read the CD image " + where, "not a readable BIN/CUE image")
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
        throw SonorailError(
            image ? withLibcdioReason("The CD image " + where + " holds no tracks", "no table of contents")
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
