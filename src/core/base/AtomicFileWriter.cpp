#include "core/base/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <system_error>

#include "core/base/PendingFile.h"
#include "core/base/UniqueFd.h"
#include "core/base/WriteAll.h"

namespace AtomicFileWriter {
namespace {

// The kernel gives up on chains of symbolic links after 40 hops; so do we, which also
// ends a loop of links.
constexpr int kMaxLinkHops = 40;

// The subject is joined to the text here, not by the caller: building the text there could
// change errno before it is read.
[[noreturn]] void fail(int errnoValue, const char* what, const std::string& subject = {})
{
    throw std::system_error(errnoValue, std::generic_category(), what + subject);
}

std::string directoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string readLink(const std::string& link)
{
    std::string target(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
        if (length < 0)
            fail(errno, "Cannot read the link ", link);
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            return target;
        }
        target.resize(target.size() * 2);  // possibly cut short: read again with more room
    }
}

// The file that renaming must replace: path itself, or the end of the chain of symbolic
// links starting at it. Renaming onto the link would replace the link with a plain file.
std::string followLinks(const std::string& path)
{
    std::string current = path;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno == ENOENT)
                return current;  // a new file (or the missing target of a dangling link)
            fail(errno, "Cannot examine ", current);
        }
        if (!S_ISLNK(info.st_mode))
            return current;
        if (hops == kMaxLinkHops)
            fail(ELOOP, "Too many symbolic links at ", path);
        const std::string target = readLink(current);
        current = target.starts_with('/') ? target : directoryOf(current) + "/" + target;
    }
}

// Permission bits to give the replacement: those of the file it replaces. Nothing for a new
// file, which then gets the ones open() gives (0666 less the umask).
std::optional<mode_t> permissionsToKeep(const std::string& target)
{
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return info.st_mode & 07777;
}

// A file the user may not write is kept as it is, though the directory would let us
// replace it (root may write anything, as the system lets it). A directory cannot be
// replaced by a file at all.
void requireReplaceable(const std::string& target)
{
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0)
        return;  // a new file: the directory decides
    if (S_ISDIR(info.st_mode))
        fail(EISDIR, "Cannot replace the directory ", target);
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 &&
        (errno == EACCES || errno == EPERM || errno == EROFS))
        fail(errno, "May not write ", target);
}

void writeAndFlush(int fd, std::string_view bytes)
{
    if (const int error = WriteAll(fd, bytes))
        fail(error, "Cannot write the new contents");
    // Flushed to the disk before the file takes its name, so the name never points at lost data.
    if (::fsync(fd) != 0)
        fail(errno, "Cannot flush the new contents");
}

// Makes the rename itself durable. The file is already replaced at this point, so a failure
// here is not reported: the caller could do nothing about it and the new bytes are in place.
void flushDirectory(const std::string& directory)
{
    const UniqueFd opened(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (opened.get() >= 0)
        ::fsync(opened.get());
}

}  // namespace

void replace(const std::string& path, std::string_view bytes)
{
    if (path.empty())
        fail(ENOENT, "Cannot replace a file without a name");
    const std::string target = followLinks(path);
    const std::string name = nameOf(target);
    if (name.empty())
        fail(EISDIR, "Cannot replace ", path);  // "dir/" names a directory, never a file
    const std::string directory = directoryOf(target);

    requireReplaceable(target);
    PendingFile pending(directory, name, 0666);
    if (const auto permissions = permissionsToKeep(target); permissions && ::fchmod(pending.fd(), *permissions) != 0)
        fail(errno, "Cannot set the permissions of ", target);
    writeAndFlush(pending.fd(), bytes);
    pending.commit();
    flushDirectory(directory);
}

}  // namespace AtomicFileWriter
