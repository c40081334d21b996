#pragma once
// UTF-8 for texts kept in fixed-size byte fields: where a text may be cut without splitting a
// character, and how bytes that are not UTF-8 (texts written by older Windows programs, in
// their ANSI code page) are taken.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// True when text is well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF).
bool IsValidUtf8(std::string_view text);

// The longest start of text of at most maxBytes bytes that does not end inside a multi-byte
// sequence.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes);

// The longest start of text that holds at most count characters (code points; a byte that
// starts no UTF-8 sequence counts as one).
std::string_view Utf8FirstCharacters(std::string_view text, std::size_t count);

// text (UTF-8) in Windows-1252, one byte a character; nothing when text is not valid UTF-8 or
// holds a character that code page has no byte for. The five bytes the code page leaves
// undefined stand for the control characters of the same number, as Utf8FromLegacyText reads
// them.
std::optional<std::string> Windows1252FromUtf8(std::string_view text);

// text itself when it is valid UTF-8; otherwise its bytes read as Windows-1252 (the five bytes
// that code page leaves undefined become the control characters of the same number, as
// browsers and Qt read them).
std::string Utf8FromLegacyText(std::string_view text);
