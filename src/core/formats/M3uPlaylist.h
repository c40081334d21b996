#pragma once
// M3U and M3U8 playlists, as other players write them: one location per line, comment and
// directive lines ("#EXTM3U", "#EXTINF:...") beginning with "#".
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class M3uCharset {
    Utf8,          // .m3u8: UTF-8 by definition
    Utf8OrLatin1,  // .m3u: UTF-8 when the whole file is valid UTF-8, otherwise Latin-1
};

// The local files the playlist lists, in its order: relative paths taken from
// playlistDirectory, file URLs decoded, other URLs left out.
std::vector<std::string> ReadM3u(std::string_view bytes, std::string_view playlistDirectory, M3uCharset charset);

// An M3U8 playlist of the entry texts (UTF-8, "#EXTM3U" first, LF line ends). CD tracks,
// which only this program can play, are left out. A name that a plain line would change
// (a line break in it, spaces at its ends) is written as a file URL.
std::string ComposeM3u8(std::span<const std::string> texts);
