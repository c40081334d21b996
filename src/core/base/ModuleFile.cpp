#include "core/base/ModuleFile.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string ModuleFile(const std::string& executableDir, const std::string& installedFromBin, const std::string& name)
{
    const fs::path programFolder(executableDir);
    const fs::path beside = programFolder / name;
    std::error_code error;
    if (fs::exists(beside, error))
        return beside.string();
    return (programFolder / installedFromBin / name).lexically_normal().string();
}
