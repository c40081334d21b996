#pragma once
// What the texts of playlists written by other players mean: their character set and the
// locations they list (paths relative to the playlist, absolute paths, URLs).
#include <optional>
#include <string>
#include <string_view>

#include "core/base/Utf8Text.h"

// Without a UTF-8 byte-order mark at its start.
std::string_view WithoutByteOrderMark(std::string_view text);

// text itself when it is valid UTF-8; otherwise text read as Latin-1, in UTF-8.
std::string Utf8FromUtf8OrLatin1(std::string_view text);

// The local path a playlist entry names, or nothing for an entry we cannot play: a URL of
// another scheme or host, or a file URL that does not decode to an absolute path. A file
// URL is decoded to the name's bytes; a relative path is taken from playlistDirectory.
std::optional<std::string> ResolvePlaylistLocation(std::string_view location, std::string_view playlistDirectory);

// A "file://" URL for an absolute path, for names that a plain line cannot hold.
std::string FileUrlFromPath(std::string_view path);
