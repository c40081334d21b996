#pragma once
// The media module as the program opens it: at the first request that needs libVLC, libcdio
// or TagLib, not at start-up. It is found beside the executable (the build tree, a portable
// folder), else where an installed program keeps it (PREFIX/lib/.../sonorail), and once open
// it stays open for the rest of the process (its back ends and threads may run until the end).
#include <atomic>
#include <mutex>
#include <string>

#include "media/module/MediaModuleEntries.h"

class ProgramPaths;

class MediaModule {
public:
    explicit MediaModule(std::string moduleFile);
    MediaModule(const MediaModule&) = delete;
    MediaModule& operator=(const MediaModule&) = delete;

    // The program's module, found from the places of this run (CurrentProgramPaths).
    static MediaModule& program();
    static std::string moduleFileFor(const ProgramPaths& paths);

    // Opens the module at the first call; any thread. A module that is missing, is no file or
    // is of another build raises the error naming it, and the next call tries again.
    const MediaModuleEntries& entries();
    bool loaded() const { return opened.load() != nullptr; }
    const std::string& file() const { return moduleFile; }

private:
    const MediaModuleEntries& open();
    [[noreturn]] void refuse(const std::string& reason) const;

    std::string moduleFile;
    std::mutex opening;
    std::atomic<const MediaModuleEntries*> opened{nullptr};
};
