#pragma once
// How a text of the CD panel is kept in a field of a CD information record. A text that
// Windows-1252 can hold whole is kept in Windows-1252, one byte a character, as the Windows
// program's records hold their texts; any other text is kept in UTF-8.
//
// A reader tells the two apart by the bytes alone: bytes that are valid UTF-8 are UTF-8, any
// others Windows-1252. The records earlier versions wrote (all UTF-8) therefore read as they
// did. Windows-1252 bytes that happen to form valid UTF-8 (the text "Ã©" is C3 A9, which UTF-8
// reads as "é") would be misread, so such a text is written in UTF-8 instead; plain ASCII is
// the same either way.
#include <cstddef>
#include <string>
#include <string_view>

class CdRecordText {
public:
    // The bytes that keep text (UTF-8) in a record. Bytes that are not UTF-8 are kept as they
    // are (a reader takes them as Windows-1252).
    static std::string stored(std::string_view text);
    // The text (UTF-8) that bytes read from a record stand for.
    static std::string read(std::string_view bytes);

    // True when text's stored bytes take at most fieldBytes.
    static bool fits(std::string_view text, std::size_t fieldBytes);
    // The longest start of text, in whole characters, whose stored bytes take at most
    // fieldBytes: what a field of that size keeps of it.
    static std::string_view fittingStart(std::string_view text, std::size_t fieldBytes);
};
