#include "core/files/NameText.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\' || c == ':'; }

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the valid UTF-8 character starting at `at`, or 0 when none starts there
// (stray continuation bytes, overlong forms, surrogates and values past U+10FFFF included).
std::size_t validCharacterLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    std::uint32_t value = 0;
    std::uint32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07u, smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(byte(i)))
            return 0;
        value = (value << 6) | (byte(i) & 0x3Fu);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value < smallest || surrogate || value > 0x10FFFF ? 0 : length;
}

// Windows-1252's characters for 0x80-0x9F (0 where it has none); 0xA0-0xFF are Latin-1's.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t value)
{
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

char32_t windows1252(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0) {
        const char16_t mapped = kWindows1252High[byte - 0x80];
        return mapped ? mapped : U'\uFFFD';
    }
    return byte;
}

}  // namespace

std::string_view ExtensionOf(std::string_view text)
{
    for (std::size_t i = text.size(); i-- > 0;) {
        if (text[i] == '.')
            return text.substr(i);
        if (isSeparator(text[i]))
            break;
    }
    return {};
}

std::string WithOldExtension(std::string_view typed, std::string_view oldName)
{
    std::string accepted(typed);
    if (ExtensionOf(typed).empty())
        accepted += ExtensionOf(oldName);
    return accepted;
}

std::string RenameTargetPath(std::string_view directory, std::string_view newName)
{
    if (newName.starts_with('/'))
        return std::string(newName);
    std::string path(directory);
    if (!path.ends_with('/'))
        path += '/';
    return path.append(newName);
}

std::string ReadableName(std::string_view bytes)
{
    std::string readable;
    readable.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        if (const std::size_t length = validCharacterLength(bytes, at)) {
            readable.append(bytes.substr(at, length));
            at += length;
        } else {
            appendUtf8(readable, windows1252(static_cast<unsigned char>(bytes[at])));
            ++at;
        }
    }
    return readable;
}

std::string TypedNameBytes(std::string_view typed, std::string_view original)
{
    if (typed == ReadableName(original))
        return std::string(original);
    const auto slash = original.rfind('/');
    if (slash != std::string_view::npos) {
        const std::string_view directory = original.substr(0, slash + 1);
        const std::string readableDirectory = ReadableName(directory);
        if (typed.starts_with(readableDirectory))
            return std::string(directory) + std::string(typed.substr(readableDirectory.size()));
    }
    return std::string(typed);
}

std::string FirstCharacters(std::string_view text, std::size_t count)
{
    std::size_t at = 0;
    for (std::size_t characters = 0; characters < count && at < text.size(); ++characters)
        at += std::max<std::size_t>(validCharacterLength(text, at), 1);
    return std::string(text.substr(0, at));
}
