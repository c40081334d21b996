#pragma once
// The media back end the program plays with, and the tag reader it describes music files
// with. The program itself reaches both through the media module, opened at their first use
// (media/module); tools and tests built on the libraries get them linked in.
#include <memory>
#include <string>

#include "core/playback/MediaBackend.h"
#include "core/queue/MusicTags.h"

std::unique_ptr<MediaBackend> MakeSystemMediaBackend();

// The tags of a music file; never throws (what cannot be read gives tags with readable false).
MusicTags ReadSystemMusicTags(const std::string& path);
