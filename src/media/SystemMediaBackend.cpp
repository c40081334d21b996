#include "media/SystemMediaBackend.h"

#include "media/MusicTagReader.h"
#include "media/VlcBackend.h"

std::unique_ptr<MediaBackend> MakeSystemMediaBackend() { return std::make_unique<VlcBackend>(); }

MusicTags ReadSystemMusicTags(const std::string& path) { return MusicTagReader::readFile(path); }
