#include "core/formats/MediaKind.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/base/FileExtension.h"

namespace {

struct KindOfExtension {
    std::string_view extension;  // upper case, dot included
    MediaKind kind;
};

constexpr std::array<KindOfExtension, 29> kExtensions = {{
    {".MID", MediaKind::Midi},    {".WAV", MediaKind::Wave},     {".AVI", MediaKind::Video},
    {".CDT", MediaKind::CdTrack}, {".TXT", MediaKind::Text},     {".BMP", MediaKind::Bitmap},
    {".ICO", MediaKind::Icon},    {".WMF", MediaKind::Metafile}, {".PNG", MediaKind::Png},
    {".JPG", MediaKind::Jpeg},    {".PCX", MediaKind::Pcx},      {".RTF", MediaKind::RichText},
    {".MP3", MediaKind::Music},   {".OGG", MediaKind::Music},    {".OGA", MediaKind::Music},
    {".OPUS", MediaKind::Music},  {".FLAC", MediaKind::Music},   {".M4A", MediaKind::Music},
    {".AAC", MediaKind::Music},   {".WMA", MediaKind::Music},    {".MP4", MediaKind::Movie},
    {".M4V", MediaKind::Movie},   {".MKV", MediaKind::Movie},    {".WEBM", MediaKind::Movie},
    {".MOV", MediaKind::Movie},   {".MPG", MediaKind::Movie},    {".MPEG", MediaKind::Movie},
    {".WMV", MediaKind::Movie},   {".OGV", MediaKind::Movie},
}};

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
        return MediaKind::None;
    const auto found = std::ranges::find(kExtensions, extension, &KindOfExtension::extension);
    return found == kExtensions.end() ? MediaKind::None : found->kind;
}

bool IsSoundKind(MediaKind kind)
{
    return kind == MediaKind::Midi || kind == MediaKind::Wave || kind == MediaKind::CdTrack || kind == MediaKind::Music;
}

bool IsVideoKind(MediaKind kind) { return kind == MediaKind::Video || kind == MediaKind::Movie; }

bool IsPlayerKind(MediaKind kind) { return IsSoundKind(kind) || IsVideoKind(kind); }

bool IsViewerKind(MediaKind kind) { return kind >= MediaKind::Text && kind <= MediaKind::RichText; }
