#include "core/queue/MediaKind.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/base/FileExtension.h"

namespace {

// Indexed by MediaKind, mkNone's place left empty.
constexpr std::array<std::string_view, 13> kExtensions = {
    "", ".MID", ".WAV", ".AVI", ".CDT", ".TXT", ".BMP", ".ICO", ".WMF", ".PNG", ".JPG", ".PCX", ".RTF",
};

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
    const std::string extension = upperAscii(ExtensionOf(text));
    if (extension.empty())
        return mkNone;
    const auto found = std::ranges::find(kExtensions, extension);
    return found == kExtensions.end() ? mkNone : static_cast<MediaKind>(found - kExtensions.begin());
}

bool IsPlayerKind(MediaKind kind) { return kind >= mkMidi && kind <= mkCdTrack; }

bool IsViewerKind(MediaKind kind) { return kind >= mkText && kind <= mkRichText; }
