#pragma once
// What the media module (libsonorail-media.so: libVLC, libcdio and TagLib behind the back
// end) hands the program that opens it. The program is started without those libraries,
// whose loading alone costs a good part of a start-up that seldom plays at once; it opens
// the module at the first request that needs one of them (MediaModule).
#include <string>

#include "core/playback/MediaBackend.h"
#include "core/queue/MusicTags.h"

class ProgramPaths;

// Raised whenever this table or a type it hands over changes, so that a module of another
// build is refused instead of called.
inline constexpr int kMediaModuleInterface = 1;

struct MediaModuleEntries {
    int interfaceVersion = kMediaModuleInterface;
    // A new back end, owned by the caller (deleting it runs the module's own destructor).
    MediaBackend* (*makeBackend)() = nullptr;
    // Never throws: what cannot be read gives tags with readable false. Any thread.
    MusicTags (*readMusicTags)(const std::string& path) = nullptr;
};

// The module's one entry point. It takes the program's places (a relative CD image is read
// from ProgramDir) and gives the table, which lives as long as the module.
using OpenMediaModuleFunction = const MediaModuleEntries* (*)(const ProgramPaths& paths);
inline constexpr const char* kOpenMediaModuleEntry = "sonorail_open_media_module";
inline constexpr const char* kMediaModuleName = "libsonorail-media.so";
