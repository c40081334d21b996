// The entry point of the media module, found by name when the program opens the module.
#include <type_traits>

#include "core/base/ProgramPaths.h"
#include "media/MusicTagReader.h"
#include "media/VlcBackend.h"
#include "media/module/MediaModuleEntries.h"

namespace {

MediaBackend* makeBackend() { return new VlcBackend(); }

const MediaModuleEntries kEntries{kMediaModuleInterface, makeBackend, MusicTagReader::readFile};

}  // namespace

extern "C" __attribute__((visibility("default"))) const MediaModuleEntries* sonorail_open_media_module(
    const ProgramPaths& paths)
{
    // The module keeps a copy of the places of its own; it takes the program's, never its own guess.
    InstallProgramPaths(paths);
    return &kEntries;
}

static_assert(std::is_same_v<decltype(&sonorail_open_media_module), OpenMediaModuleFunction>);
