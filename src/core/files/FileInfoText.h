#pragma once
// The file-information line: for a file its name, attributes, size and last-write time; for
// a CD track its number, name and length. The size, date and time are written the way the
// user's locale writes them; the window gives those formats.
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "core/files/FileFacts.h"

struct FileInfoFormats {
    std::function<std::string(std::uint64_t)> size;        // digits grouped by the locale
    std::function<std::string(const std::tm&)> shortDate;  // the locale's short date
    std::function<std::string(const std::tm&)> longTime;   // the locale's long time
};

// Digits without grouping, ISO dates, 24-hour times: for a session without a window.
FileInfoFormats PlainFileInfoFormats();

// name, ":  ", the attribute text, the size, " bytes.  ", the short date and, unless the
// time is exactly midnight, a blank and the long time (local time).
std::string FileInfoText(std::string_view name, const FileFacts& facts, const FileInfoFormats& formats);

// The track number a CD row starts with ("03:Intro.cdt" -> 3); raises SonorailError
// ("'xy' is not a valid integer value") when its first two characters are no number.
int CdTrackNumber(std::string_view row);

// "Track:3 - Intro.cdt, length: 04:05": the number, the row after its last ":" or "\",
// and the length as minutes (as many digits as needed, at least two) and whole seconds.
std::string CdTrackInfoText(std::string_view row, long lengthMilliseconds);
