#pragma once
// What a queue entry or a browsed file is, told by its extension: the player takes sound,
// video and CD tracks, the viewer text and pictures.
#include <string_view>

enum class MediaKind {
    None = 0,
    Midi = 1,
    Wave = 2,
    Video = 3,
    CdTrack = 4,
    Text = 5,
    Bitmap = 6,
    Icon = 7,
    Metafile = 8,
    Png = 9,
    Jpeg = 10,
    Pcx = 11,
    RichText = 12,
    Music = 13,  // today's compressed sound: MP3, Ogg, Opus, FLAC, AAC, WMA
    Movie = 14,  // today's video files: MP4, MKV, WebM, MOV, MPEG, WMV, Ogg video
};

// The kind of a file name or path. The extension is what follows the last "." after the
// last ":", "\" or "/" (dot included); it is compared in full without regard to ASCII
// case, so "song.midi" and a name without extension are MediaKind::None.
MediaKind ClassifyEntry(std::string_view text);

bool IsPlayerKind(MediaKind kind);  // MIDI, wave, video, CD track, music, movies
bool IsViewerKind(MediaKind kind);  // text, pictures, rich text

// Played as sound only, with no picture of their own: MIDI, wave, CD tracks and music.
bool IsSoundKind(MediaKind kind);
// Drawn in the main window's picture area: AVI clips and movies.
bool IsVideoKind(MediaKind kind);
