#include "core/formats/RtfTokenizer.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfToken tokenOf(RtfToken::Kind kind)
{
    RtfToken token;
    token.kind = kind;
    return token;
}

// Control words are at most 32 letters; longer ones are cut, never read past.
constexpr std::size_t kLongestWord = 32;

}  // namespace

// A loop, never a call back into itself: a document of nothing but broken escapes must
// not take stack in proportion to its length.
RtfToken RtfTokenizer::next()
{
    while (position < input.size()) {
        const char c = input[position];
        if (c == '\r' || c == '\n' || c == '\0') {  // line ends carry no meaning in rich text
            ++position;
            continue;
        }
        if (c == '{') {
            ++position;
            return tokenOf(RtfToken::GroupStart);
        }
        if (c == '}') {
            ++position;
            return tokenOf(RtfToken::GroupEnd);
        }
        if (c == '\\') {
            ++position;
            if (std::optional<RtfToken> token = controlAfterBackslash())
                return *token;
            continue;  // a broken escape: nothing to hand out, read on
        }
        return textRun();
    }
    return {};
}

RtfToken RtfTokenizer::textRun()
{
    const std::size_t start = position;
    while (position < input.size()) {
        const char c = input[position];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n' || c == '\0')
            break;
        ++position;
    }
    RtfToken token = tokenOf(RtfToken::Text);
    token.word = input.substr(start, position - start);
    return token;
}

std::optional<RtfToken> RtfTokenizer::controlAfterBackslash()
{
    if (position >= input.size())
        return RtfToken{};
    const char first = input[position];
    if (isLetter(first)) {
        const std::size_t start = position;
        while (position < input.size() && isLetter(input[position]))
            ++position;
        RtfToken token = tokenOf(RtfToken::ControlWord);
        token.word = input.substr(start, std::min(position - start, kLongestWord));
        token.parameter = readParameter(token.hasParameter);
        if (position < input.size() && input[position] == ' ')
            ++position;  // the space that ends a control word belongs to it
        return token;
    }
    ++position;
    if (first == '\'') {
        const int high = position < input.size() ? hexValue(input[position]) : -1;
        const int low = high >= 0 && position + 1 < input.size() ? hexValue(input[position + 1]) : -1;
        if (high < 0 || low < 0) {
            position += high >= 0 ? 1 : 0;  // a broken escape is dropped with its one digit
            return std::nullopt;
        }
        position += 2;
        RtfToken token = tokenOf(RtfToken::HexByte);
        token.parameter = high * 16 + low;
        return token;
    }
    RtfToken token = tokenOf(RtfToken::ControlSymbol);
    token.symbol = first;
    return token;
}

int RtfTokenizer::readParameter(bool& hasParameter)
{
    bool negative = false;
    if (position + 1 < input.size() && input[position] == '-' && isDigit(input[position + 1])) {
        negative = true;
        ++position;
    }
    long long value = 0;
    hasParameter = false;
    while (position < input.size() && isDigit(input[position])) {
        hasParameter = true;
        if (value < INT_MAX)
            value = value * 10 + (input[position] - '0');
        ++position;
    }
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(negative ? -value : value);
}

std::string_view RtfTokenizer::takeBytes(std::size_t count)
{
    const std::size_t available = input.size() - position;
    const std::size_t taken = count < available ? count : available;
    const std::string_view bytes = input.substr(position, taken);
    position += taken;
    return bytes;
}
