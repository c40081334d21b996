#pragma once
// Reading and writing the files a queue is kept in: albums, and the playlists of other
// players (read M3U, M3U8 and PLS; write M3U8). Failures raise SonorailError with the
// text the user sees.
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class AlbumFileFormat { Album, M3u, M3u8, Pls };

// The format a file's extension names, compared without regard to case; anything that is
// not a playlist is read as an album.
AlbumFileFormat FormatOfFile(std::string_view path);

// Whether the last component of path has an extension ("x.alb"; not "x", ".alb" or "x.").
bool HasExtension(std::string_view path);
// path with "." + extension appended when it has no extension.
std::string WithDefaultExtension(std::string path, std::string_view extension);

// The entry texts of the file in its format. A file that cannot be opened, or is not a
// regular file, raises "Cannot open file %s"; a failing read, its input/output error.
std::vector<std::string> ReadAlbumFile(const std::string& path);
// The album's bytes alone, for a file known to be an album.
std::vector<std::string> ReadAlbumFile(const std::string& path, AlbumFileFormat format);

// Replaces the file with texts in format (Album or M3u8) atomically: the old file stays
// whole until the new one is complete. Raises "Cannot create file %s" when it cannot be
// created and "Stream write error" when writing fails (a full disk).
void WriteAlbumFile(const std::string& path, std::span<const std::string> texts, AlbumFileFormat format);

// The largest file read as an album or playlist; larger ones are refused, not read.
inline constexpr std::size_t kLargestAlbumFile = 512u * 1024 * 1024;
