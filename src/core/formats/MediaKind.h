#pragma once
// What a queue entry or a browsed file is, told by its extension: the player takes sound,
// video and CD tracks, the viewer text and pictures.
#include <string_view>

enum MediaKind {
    mkNone = 0,
    mkMidi = 1,
    mkWave = 2,
    mkVideo = 3,
    mkCdTrack = 4,
    mkText = 5,
    mkBitmap = 6,
    mkIcon = 7,
    mkMetafile = 8,
    mkPng = 9,
    mkJpeg = 10,
    mkPcx = 11,
    mkRichText = 12,
    mkMusic = 13,  // today's compressed sound: MP3, Ogg, Opus, FLAC, AAC, WMA
    mkMovie = 14,  // today's video files: MP4, MKV, WebM, MOV, MPEG, WMV, Ogg video
};

// The kind of a file name or path. The extension is what follows the last "." after the
// last ":", "\" or "/" (dot included); it is compared in full without regard to ASCII
// case, so "song.midi" and a name without extension are mkNone.
MediaKind ClassifyEntry(std::string_view text);

bool IsPlayerKind(MediaKind kind);  // MIDI, wave, video, CD track, music, movies
bool IsViewerKind(MediaKind kind);  // text, pictures, rich text

// Played as sound only, with no picture of their own: MIDI, wave, CD tracks and music.
bool IsSoundKind(MediaKind kind);
// Drawn in the main window's picture area: AVI clips and movies.
bool IsVideoKind(MediaKind kind);
