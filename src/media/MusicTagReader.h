#pragma once
// Reads a music file's tags, stream facts and front cover with TagLib. Never throws: a file
// that is missing, not a regular file, damaged or of another kind than its extension says
// gives tags with readable false.
#include <string>

#include "core/queue/MusicTags.h"

namespace MusicTagReader {

MusicTags readFile(const std::string& path);

// The same from bytes in memory, the kind told by the extension (".mp3", ".FLAC", ...).
MusicTags readBytes(const std::string& bytes, const std::string& extension);

}  // namespace MusicTagReader
