#include "core/files/FileRename.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include "core/files/FileTransfer.h"

namespace {

// The errors by which a file system says it does not know RENAME_NOREPLACE.
bool noReplaceUnsupported(int error) { return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP; }

}  // namespace

int RenameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (from == to)
        return 0;
    if (IsSameFile(from, to))
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    return noReplaceUnsupported(errno) ? RenameByReservingName(from, to) : errno;
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
