#include "media/module/MediaModule.h"

#include <dlfcn.h>

#include <cstring>

#include "core/base/ModuleFile.h"
#include "core/base/ProgramPaths.h"
#include "core/base/RegularFile.h"
#include "core/base/SonorailError.h"

MediaModule::MediaModule(std::string moduleFile) : moduleFile(std::move(moduleFile)) {}

MediaModule& MediaModule::program()
{
    static MediaModule module(moduleFileFor(CurrentProgramPaths()));
    return module;
}

std::string MediaModule::moduleFileFor(const ProgramPaths& paths)
{
    return ModuleFile(paths.executableDir(), SONORAIL_MEDIA_MODULE_FROM_BIN, kMediaModuleName);
}

const MediaModuleEntries& MediaModule::entries()
{
    if (const MediaModuleEntries* entries = opened.load())
        return *entries;
    std::lock_guard lock(opening);
    if (const MediaModuleEntries* entries = opened.load())
        return *entries;
    const MediaModuleEntries& entries = open();
    opened.store(&entries);
    return entries;
}

const MediaModuleEntries& MediaModule::open()
{
    // The loader's own open would wait for ever on a named pipe in the module's place.
    if (const int error = RegularFile::checkReadable(moduleFile); error != 0)
        refuse(error == RegularFile::kNotARegularFile ? "it is not a file" : std::strerror(error));
    void* library = dlopen(moduleFile.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        refuse(dlerror());
    const auto openEntries = reinterpret_cast<OpenMediaModuleFunction>(dlsym(library, kOpenMediaModuleEntry));
    if (openEntries == nullptr)
        refuse("it has no entry point " + std::string(kOpenMediaModuleEntry));
    const MediaModuleEntries* entries = openEntries(CurrentProgramPaths());
    if (entries == nullptr || entries->interfaceVersion != kMediaModuleInterface)
        refuse("it was built for another version of the program");
    return *entries;  // the module stays loaded
}

void MediaModule::refuse(const std::string& reason) const
{
    throw SonorailError("Cannot load the media player " + moduleFile + ": " + reason);
}
