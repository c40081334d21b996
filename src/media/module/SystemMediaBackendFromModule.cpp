// The program's own back end and tag reader: those of the media module, opened at their first
// use (the libraries' SystemMediaBackend.cpp links them in instead).
#include "core/base/SonorailError.h"
#include "media/SystemMediaBackend.h"
#include "media/module/MediaModule.h"
#include "media/module/ModuleMediaBackend.h"

std::unique_ptr<MediaBackend> MakeSystemMediaBackend()
{
    return std::make_unique<ModuleMediaBackend>(MediaModule::program());
}

// A missing module is reported by the player, where the user asked for something; a file's
// tags are only a description, read on worker threads where nobody could be told.
MusicTags ReadSystemMusicTags(const std::string& path)
{
    try {
        return MediaModule::program().entries().readMusicTags(path);
    } catch (const SonorailError&) {
        return {};
    }
}
