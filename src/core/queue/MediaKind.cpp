#include "core/queue/MediaKind.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

// Indexed by MediaKind, mkNone's place left empty.
constexpr std::array<std::string_view, 13> kExtensions = {
    "", ".MID", ".WAV", ".AVI", ".CDT", ".TXT", ".BMP", ".ICO", ".WMF", ".PNG", ".JPG", ".PCX", ".RTF",
};

// From the last of ".", ":", "\" and "/": an extension only when that last one is the dot,
// so a dot in a directory name ("C:\MIDI.DIR\README") gives none.
std::string_view extensionOf(std::string_view text)
{
    const std::size_t last = text.find_last_of(".:\\/");
    if (last == std::string_view::npos || text[last] != '.')
        return {};
    return text.substr(last);
}

std::string upperAscii(std::string_view text)
{
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(),
                           [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return upper;
}

}  // namespace

MediaKind ClassifyEntry(std::string_view text)
{
    const std::string extension = upperAscii(extensionOf(text));
    if (extension.empty())
        return mkNone;
    const auto found = std::ranges::find(kExtensions, extension);
    return found == kExtensions.end() ? mkNone : static_cast<MediaKind>(found - kExtensions.begin());
}

bool IsPlayerKind(MediaKind kind) { return kind >= mkMidi && kind <= mkCdTrack; }

bool IsViewerKind(MediaKind kind) { return kind >= mkText && kind <= mkRichText; }
