#include "core/formats/PlaylistText.h"

#include <filesystem>

#include "core/base/AsciiText.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// A URL of the form "scheme://..."; a name like "C:\x" or "track:1.mid" is none.
bool isNetworkUrl(std::string_view text)
{
    const std::size_t separator = text.find("://");
    if (separator == std::string_view::npos || separator < 2 || !isAsciiLetter(text[0]))
        return false;
    for (char c : text.substr(1, separator - 1)) {
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

int hexValue(char c)
{
    if (isAsciiDigit(c))
        return c - '0';
    const char lower = AsciiLower(c);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

// Percent escapes decoded; nothing for a broken escape or one that gives a byte 0.
std::optional<std::string> percentDecoded(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = hexValue(text[i + 1]);
        const int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return std::nullopt;
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return decoded;
}

// The path of a file URL: "file:///p", "file://localhost/p" and "file:/p" name this
// machine; any other host does not.
std::optional<std::string> filePathOfUrl(std::string_view url)
{
    std::string_view rest = url.substr(5);  // after "file:"
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        if (slash == std::string_view::npos)
            return std::nullopt;
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && !EqualsIgnoringAsciiCase(host, "localhost"))
            return std::nullopt;
        rest.remove_prefix(slash);
    }
    rest = rest.substr(0, rest.find_first_of("?#"));
    std::optional<std::string> path = percentDecoded(rest);
    if (!path || !path->starts_with('/'))
        return std::nullopt;
    return path;
}

}  // namespace

std::string_view WithoutByteOrderMark(std::string_view text)
{
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    return text;
}

std::string Utf8FromUtf8OrLatin1(std::string_view text)
{
    if (IsValidUtf8(text))
        return std::string(text);
    std::string converted;
    converted.reserve(text.size() * 2);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            converted += c;
        } else {
            converted += static_cast<char>(0xC0 | (byte >> 6));
            converted += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return converted;
}

std::optional<std::string> ResolvePlaylistLocation(std::string_view location, std::string_view playlistDirectory)
{
    if (location.empty())
        return std::nullopt;
    if (StartsWithIgnoringAsciiCase(location, "file:"))
        return filePathOfUrl(location);
    if (isNetworkUrl(location))
        return std::nullopt;
    if (location.starts_with('/'))
        return std::string(location);
    std::filesystem::path joined = std::filesystem::path(std::string(playlistDirectory)) / std::string(location);
    return joined.lexically_normal().string();
}

std::string FileUrlFromPath(std::string_view path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain =
            isAsciiLetter(c) || isAsciiDigit(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0x0F];
        }
    }
    return url;
}
