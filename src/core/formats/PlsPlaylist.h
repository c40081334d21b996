#pragma once
// PLS playlists: an INI-like "[playlist]" section whose "FileN" keys hold the locations,
// with "TitleN", "LengthN", "NumberOfEntries" and "Version" beside them.
#include <string>
#include <string_view>
#include <vector>

// The local files of the FileN keys in the order of N (the first of a repeated N counts):
// relative paths taken from playlistDirectory, file URLs decoded, other URLs left out.
// The text is UTF-8 when valid, otherwise Latin-1.
std::vector<std::string> ReadPls(std::string_view bytes, std::string_view playlistDirectory);
