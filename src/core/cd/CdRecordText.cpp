#include "core/cd/CdRecordText.h"

#include <optional>

#include "core/base/Utf8Text.h"

std::string CdRecordText::stored(std::string_view text)
{
    std::optional<std::string> legacy = Windows1252FromUtf8(text);
    // Windows-1252 that would read as UTF-8 is kept in UTF-8 (ASCII, the same bytes either way).
    if (legacy && (*legacy == text || !IsValidUtf8(*legacy)))
        return std::move(*legacy);
    return std::string(text);
}

std::string CdRecordText::read(std::string_view bytes) { return Utf8FromLegacyText(bytes); }

bool CdRecordText::fits(std::string_view text, std::size_t fieldBytes)
{
    // Every character takes at least one byte; UTF-8 takes at least as many as Windows-1252.
    if (text.size() <= fieldBytes)
        return true;
    if (Utf8FirstCharacters(text, fieldBytes + 1).size() < text.size())
        return false;  // more characters than the field has bytes
    return stored(text).size() <= fieldBytes;
}

std::string_view CdRecordText::fittingStart(std::string_view text, std::size_t fieldBytes)
{
    // No start of more characters than the field has bytes can fit; from there down, the
    // longest start that fits (a start one character shorter may need more bytes: it may
    // have to be kept in UTF-8 where the longer one is not).
    std::string_view start = Utf8FirstCharacters(text, fieldBytes);
    while (!fits(start, fieldBytes))
        start = Utf8Prefix(start, start.size() - 1);  // one character less
    return start;
}
