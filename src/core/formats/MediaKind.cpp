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
    {".MID", mkMidi},   {".WAV", mkWave},     {".AVI", mkVideo},    {".CDT", mkCdTrack}, {".TXT", mkText},
    {".BMP", mkBitmap}, {".ICO", mkIcon},     {".WMF", mkMetafile}, {".PNG", mkPng},     {".JPG", mkJpeg},
    {".PCX", mkPcx},    {".RTF", mkRichText}, {".MP3", mkMusic},    {".OGG", mkMusic},   {".OGA", mkMusic},
    {".OPUS", mkMusic}, {".FLAC", mkMusic},   {".M4A", mkMusic},    {".AAC", mkMusic},   {".WMA", mkMusic},
    {".MP4", mkMovie},  {".M4V", mkMovie},    {".MKV", mkMovie},    {".WEBM", mkMovie},  {".MOV", mkMovie},
    {".MPG", mkMovie},  {".MPEG", mkMovie},   {".WMV", mkMovie},    {".OGV", mkMovie},
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
        return mkNone;
    const auto found = std::ranges::find(kExtensions, extension, &KindOfExtension::extension);
    return found == kExtensions.end() ? mkNone : found->kind;
}

bool IsSoundKind(MediaKind kind) { return kind == mkMidi || kind == mkWave || kind == mkCdTrack || kind == mkMusic; }

bool IsVideoKind(MediaKind kind) { return kind == mkVideo || kind == mkMovie; }

bool IsPlayerKind(MediaKind kind) { return IsSoundKind(kind) || IsVideoKind(kind); }

bool IsViewerKind(MediaKind kind) { return kind >= mkText && kind <= mkRichText; }
