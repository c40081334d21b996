#pragma once
// Splits rich-text bytes into groups, control words, control symbols, escaped bytes and
// runs of plain text. It never fails: a truncated control word or escape just ends.
#include <cstddef>
#include <optional>
#include <string_view>

struct RtfToken {
    enum Kind { End, GroupStart, GroupEnd, ControlWord, ControlSymbol, HexByte, Text };
    Kind kind = End;
    std::string_view word;  // ControlWord: the letters; Text: the run (no line ends)
    bool hasParameter = false;
    int parameter = 0;  // ControlWord's number; HexByte's value
    char symbol = 0;    // ControlSymbol's character
};

class RtfTokenizer {
public:
    explicit RtfTokenizer(std::string_view input) : input(input) {}

    RtfToken next();
    // The raw bytes after \binN: up to count bytes, fewer when the input ends first.
    std::string_view takeBytes(std::size_t count);
    bool atEnd() const { return position >= input.size(); }

private:
    // Nothing for a broken escape, which stands for no token at all.
    std::optional<RtfToken> controlAfterBackslash();
    RtfToken textRun();
    int readParameter(bool& hasParameter);

    std::string_view input;
    std::size_t position = 0;
};
