#include "core/files/FileFacts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

FileFacts ReadFileFacts(const std::string& path)
{
    FileFacts facts;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        facts.error = errno;
        return facts;
    }
    facts.size = static_cast<std::uint64_t>(info.st_size);
    facts.lastWrite = info.st_mtim.tv_sec;
    facts.readOnly = ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
    const auto slash = path.rfind('/');
    facts.hidden = path.compare(slash == std::string::npos ? 0 : slash + 1, 1, ".") == 0;
    return facts;
}

std::string AttributeText(const FileFacts& facts)
{
    std::string text;
    if (facts.readOnly)
        text += ",ReadOnly ";
    if (facts.hidden)
        text += ",Hidden ";
    return text.empty() ? text : text.substr(1);
}
