#include "core/files/NameText.h"

#include "core/base/FileExtension.h"
#include "core/base/Utf8Text.h"

std::string WithOldExtension(std::string_view typed, std::string_view oldName)
{
    std::string accepted(typed);
    if (ExtensionOf(typed).empty())
        accepted += ExtensionOf(oldName);
    return accepted;
}

std::string RenameTargetPath(std::string_view directory, std::string_view newName)
{
    if (newName.starts_with('/'))
        return std::string(newName);
    std::string path(directory);
    if (!path.ends_with('/'))
        path += '/';
    return path.append(newName);
}

std::string TypedNameBytes(std::string_view typed, std::string_view original)
{
    if (typed == Utf8FromLegacyText(original))
        return std::string(original);
    const auto slash = original.rfind('/');
    if (slash != std::string_view::npos) {
        const std::string_view directory = original.substr(0, slash + 1);
        const std::string readableDirectory = Utf8FromLegacyText(directory);
        if (typed.starts_with(readableDirectory))
            return std::string(directory) + std::string(typed.substr(readableDirectory.size()));
    }
    return std::string(typed);
}
