#include "core/files/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "core/files/FileMask.h"

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

DirHandle openDirectory(const std::string& directory)
{
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    DIR* dir = fdopendir(fd);
    if (!dir)
        close(fd);
    return DirHandle(dir);
}

// The file type of an entry, following a symbolic link to what it names. Only links and
// file systems that give no type cost a stat; a broken link has no type (0).
mode_t entryType(DIR* dir, const dirent& entry)
{
    switch (entry.d_type) {
        case DT_REG:
            return S_IFREG;
        case DT_DIR:
            return S_IFDIR;
        case DT_LNK:
        case DT_UNKNOWN: {
            struct stat target {};
            if (fstatat(dirfd(dir), entry.d_name, &target, 0) != 0)
                return 0;
            return target.st_mode & S_IFMT;
        }
        default:
            return S_IFIFO;  // fifo, socket or device: never listed
    }
}

// One pass over the directory, keeping the entries `keep` accepts. A read error part way
// (a volume pulled out) gives an empty list rather than a misleading part of one.
template <typename Keep>
std::vector<std::string> listEntries(const std::string& directory, Keep keep)
{
    std::vector<std::string> names;
    DirHandle dir = openDirectory(directory);
    if (!dir)
        return names;
    errno = 0;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with('.') && keep(dir.get(), *entry, name))
            names.emplace_back(name);
        errno = 0;
    }
    if (errno != 0)
        return {};
    std::ranges::sort(names, NameOrder);
    return names;
}

}  // namespace

std::vector<std::string> ListFiles(const std::string& directory, const FileMask& mask)
{
    if (mask.empty())
        return {};
    // The mask first: it is cheap, and spares a stat for links the mask turns away anyway.
    return listEntries(directory, [&](DIR* dir, const dirent& entry, std::string_view name) {
        return mask.matches(name) && entryType(dir, entry) == S_IFREG;
    });
}

std::vector<std::string> ListSubdirectories(const std::string& directory)
{
    return listEntries(
        directory, [](DIR* dir, const dirent& entry, std::string_view) { return entryType(dir, entry) == S_IFDIR; });
}

bool NameOrder(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char x = lowerAscii(a[i]);
        const char y = lowerAscii(b[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

std::string ChildPath(std::string_view directory, std::string_view name)
{
    std::string path(directory);
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

std::string WithoutTrailingSlash(std::string_view path)
{
    std::string result;
    result.reserve(path.size());
    for (const char c : path) {
        if (c == '/' && !result.empty() && result.back() == '/')
            continue;
        result += c;
    }
    if (result.size() > 1 && result.back() == '/')
        result.pop_back();
    return result;
}

bool IsSameOrBelow(std::string_view path, std::string_view ancestor)
{
    if (!path.starts_with(ancestor))
        return false;
    if (path.size() == ancestor.size() || ancestor.ends_with('/'))
        return true;
    return path[ancestor.size()] == '/';
}

std::vector<std::string> DirectoryChain(std::string_view root, std::string_view directory)
{
    const std::string top = WithoutTrailingSlash(root);
    const std::string bottom = WithoutTrailingSlash(directory);
    if (top.empty() || !IsSameOrBelow(bottom, top))
        return {bottom};
    std::vector<std::string> chain{top};
    std::size_t from = top.size();
    while (from < bottom.size()) {
        if (bottom[from] == '/')
            ++from;
        const std::size_t end = std::min(bottom.find('/', from), bottom.size());
        chain.push_back(bottom.substr(0, end));
        from = end;
    }
    return chain;
}

std::string NearestExistingDirectory(std::string_view directory, std::string_view root)
{
    std::vector<std::string> chain = DirectoryChain(root, directory);
    if (chain.size() == 1 && chain.front() != WithoutTrailingSlash(root))
        return chain.front();  // not on `root`: nothing to go back to
    for (auto step = chain.rbegin(); step != chain.rend(); ++step) {
        struct stat status {};
        if (stat(step->c_str(), &status) == 0 && S_ISDIR(status.st_mode))
            return *step;
    }
    return chain.front();
}

std::string CurrentWorkingDirectory()
{
    std::string buffer(256, '\0');
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}
