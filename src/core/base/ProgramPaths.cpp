#include "core/base/ProgramPaths.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/base/IoErrorText.h"
#include "core/base/WithTrailingBackslash.h"

namespace fs = std::filesystem;

namespace {

std::optional<std::string> environment(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

std::string runningExecutable()
{
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

bool isDirectory(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

bool exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

// PREFIX/share/sonorail when the executable lies in PREFIX/bin beside it, else "".
std::string sharedDataFor(const fs::path& executableDir)
{
    if (executableDir.filename() != "bin")
        return {};
    fs::path shared = executableDir.parent_path() / "share" / "sonorail";
    return isDirectory(shared) ? WithTrailingBackslash(shared.string()) : std::string();
}

std::string userConfigDir(const ProgramLocation& location)
{
    if (location.xdgConfigHome && fs::path(*location.xdgConfigHome).is_absolute())
        return (fs::path(*location.xdgConfigHome) / "sonorail").string();
    return (fs::path(location.home.value_or("/tmp")) / ".config" / "sonorail").string();
}

std::string userCacheDir(const ProgramLocation& location)
{
    if (location.xdgCacheHome && fs::path(*location.xdgCacheHome).is_absolute())
        return (fs::path(*location.xdgCacheHome) / "sonorail").string();
    return (fs::path(location.home.value_or("/tmp")) / ".cache" / "sonorail").string();
}

ProgramPaths& installedPaths()
{
    static ProgramPaths paths = ProgramPaths::fromEnvironment();
    return paths;
}

}  // namespace

ProgramPaths ProgramPaths::fromEnvironment()
{
    return fromLocation({runningExecutable(), environment("SONORAIL_HOME"), environment("XDG_CONFIG_HOME"),
                         environment("HOME"), environment("XDG_CACHE_HOME")});
}

ProgramPaths ProgramPaths::fromLocation(const ProgramLocation& location)
{
    ProgramPaths paths;
    fs::path executableDir = fs::path(location.executablePath).parent_path();
    paths.executableDirectory = WithTrailingBackslash(executableDir.string());
    paths.sharedDataDirectory = sharedDataFor(executableDir);
    if (location.sonorailHome)
        paths.programDirectory = WithTrailingBackslash(fs::absolute(*location.sonorailHome).string());
    else if (paths.installed())
        paths.programDirectory = WithTrailingBackslash(userConfigDir(location));
    else
        paths.programDirectory = paths.executableDirectory;
    const bool userFolders = paths.installed() && !location.sonorailHome;
    paths.cacheDirectory = userFolders ? WithTrailingBackslash(userCacheDir(location)) : paths.programDirectory;
    return paths;
}

std::string ProgramPaths::programFile(const std::string& name) const { return programDirectory + name; }

std::string ProgramPaths::dataFile(const std::string& name) const
{
    for (const std::string* directory : {&programDirectory, &executableDirectory, &sharedDataDirectory}) {
        if (!directory->empty() && exists(*directory + name))
            return *directory + name;
    }
    return programFile(name);
}

void ProgramPaths::createProgramDir() const
{
    std::error_code error;
    fs::create_directories(programDirectory, error);
    if (error || !isDirectory(programDirectory))
        IoErrorText::raise(error ? error.value() : ENOTDIR);
}

const ProgramPaths& CurrentProgramPaths() { return installedPaths(); }

void InstallProgramPaths(const ProgramPaths& paths) { installedPaths() = paths; }

const std::string& ProgramDir() { return installedPaths().programDir(); }
