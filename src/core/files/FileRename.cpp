#include "core/files/FileRename.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The errors by which a file system says it does not know RENAME_NOREPLACE.
bool noReplaceUnsupported(int error) { return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP; }

// The errors by which a file system says it has no hard links.
bool hardLinksUnsupported(int error) { return error == EPERM || error == EOPNOTSUPP; }

struct SplitPath {
    std::string directory;
    std::string name;
};

SplitPath split(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// Whether both paths name one entry of one directory ("dir/a.mid" and "dir/./a.mid"): the
// same name in directories that are one. Two names of one file are two entries.
bool sameDirectoryEntry(const std::string& from, const std::string& to)
{
    if (from == to)
        return true;
    const SplitPath a = split(from);
    const SplitPath b = split(to);
    if (a.name != b.name || a.name.empty() || a.name == "." || a.name == "..")
        return false;
    struct stat first {};
    struct stat second {};
    return ::stat(a.directory.c_str(), &first) == 0 && ::stat(b.directory.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace

int RenameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (sameDirectoryEntry(from, to))
        return 0;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    return noReplaceUnsupported(errno) ? RenameByLinking(from, to) : errno;
}

int RenameByLinking(const std::string& from, const std::string& to)
{
    // link() never follows a symbolic link at `from`: the link itself gets the new name.
    if (::link(from.c_str(), to.c_str()) != 0)
        return hardLinksUnsupported(errno) ? RenameByReservingName(from, to) : errno;
    if (::unlink(from.c_str()) == 0)
        return 0;
    const int error = errno;
    ::unlink(to.c_str());
    return error;
}

int RenameByReservingName(const std::string& from, const std::string& to)
{
    const int placeholder = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (placeholder < 0)
        return errno;
    ::close(placeholder);
    if (::rename(from.c_str(), to.c_str()) == 0)
        return 0;
    const int error = errno;
    ::unlink(to.c_str());
    return error;
}
