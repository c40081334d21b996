#include "core/files/FileInfoText.h"

#include <cstdio>

#include "core/base/IoErrorText.h"
#include "core/base/Utf8Text.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string twoDigits(long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%.2ld", value);
    return text;
}

std::string formatted(const char* format, const std::tm& time)
{
    char text[64];
    return std::strftime(text, sizeof text, format, &time) ? text : "";
}

}  // namespace

FileInfoFormats PlainFileInfoFormats()
{
    return {[](std::uint64_t size) { return std::to_string(size); },
            [](const std::tm& time) { return formatted("%Y-%m-%d", time); },
            [](const std::tm& time) { return formatted("%H:%M:%S", time); }};
}

std::string FileInfoText(std::string_view name, const FileFacts& facts, const FileInfoFormats& formats)
{
    std::tm local{};
    ::localtime_r(&facts.lastWrite, &local);
    std::string text = Utf8FromLegacyText(name) + ":  " + AttributeText(facts) + formats.size(facts.size) +
                       " bytes.  " + formats.shortDate(local);
    const bool midnight = local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0;
    if (!midnight)
        text += " " + formats.longTime(local);
    return text;
}

int CdTrackNumber(std::string_view row)
{
    const std::string_view number = row.substr(0, 2);
    if (number.size() != 2 || !isDigit(number[0]) || !isDigit(number[1]))
        throw SonorailError(IoErrorText::notValidInteger(std::string(number)));
    return (number[0] - '0') * 10 + (number[1] - '0');
}

std::string CdTrackInfoText(std::string_view row, long lengthMilliseconds)
{
    const long length = lengthMilliseconds < 0 ? 0 : lengthMilliseconds;
    // A CD entry is no path: a "/" in a track's name ("AC/DC Live") is part of the name.
    const auto lastSeparator = row.find_last_of(":\\");
    const std::string_view name = lastSeparator == std::string_view::npos ? row : row.substr(lastSeparator + 1);
    return "Track:" + std::to_string(CdTrackNumber(row)) + " - " + std::string(name) +
           ", length: " + twoDigits(length / 60000) + ":" + twoDigits((length % 60000) / 1000);
}
