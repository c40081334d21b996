#include "core/base/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <optional>
#include <system_error>

#include "core/base/UniqueFd.h"
#include "core/base/WriteAll.h"

namespace AtomicFileWriter {
namespace {

// The kernel gives up on chains of symbolic links after 40 hops; so do we, which also
// ends a loop of links.
constexpr int kMaxLinkHops = 40;
constexpr int kMaxTemporaryNameAttempts = 100;
// Keeps the temporary name within the 255-byte limit of a file name even for long names.
constexpr std::size_t kMaxNameInTemporary = 120;

[[noreturn]] void fail(int errnoValue, const std::string& what)
{
    throw std::system_error(errnoValue, std::generic_category(), what);
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
            fail(errno, "Cannot read the link " + link);
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
            fail(errno, "Cannot examine " + current);
        }
        if (!S_ISLNK(info.st_mode))
            return current;
        if (hops == kMaxLinkHops)
            fail(ELOOP, "Too many symbolic links at " + path);
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

std::string uniqueSuffix()
{
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ULL);
}

// A temporary file beside the target; removed again unless commit() renamed it into place.
class TemporaryFile {
public:
    TemporaryFile(const std::string& directory, const std::string& targetName)
    {
        const std::string stem = directory + "/." + targetName.substr(0, kMaxNameInTemporary) + ".tmp-";
        for (int attempt = 0; attempt < kMaxTemporaryNameAttempts; ++attempt) {
            tempPath = stem + uniqueSuffix();
            file.reset(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
            if (file.get() >= 0)
                return;
            if (errno != EEXIST)
                fail(errno, "Cannot create a temporary file in " + directory);
        }
        fail(EEXIST, "Cannot create a temporary file in " + directory);
    }
    ~TemporaryFile()
    {
        file.reset();
        if (!committed)
            ::unlink(tempPath.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void setPermissions(mode_t permissions)
    {
        if (::fchmod(file.get(), permissions) != 0)
            fail(errno, "Cannot set the permissions of " + tempPath);
    }

    void write(std::string_view bytes)
    {
        if (const int error = WriteAll(file.get(), bytes))
            fail(error, "Cannot write " + tempPath);
    }

    // Flushes to the disk before the rename, so the new name never points at lost data.
    void flushAndClose()
    {
        if (::fsync(file.get()) != 0)
            fail(errno, "Cannot flush " + tempPath);
        if (const int error = file.close())
            fail(error, "Cannot close " + tempPath);
    }

    void commit(const std::string& target)
    {
        if (::rename(tempPath.c_str(), target.c_str()) != 0)
            fail(errno, "Cannot replace " + target);
        committed = true;
    }

private:
    std::string tempPath;
    UniqueFd file;
    bool committed = false;
};

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
        fail(EISDIR, "Cannot replace " + path);  // "dir/" names a directory, never a file
    const std::string directory = directoryOf(target);

    TemporaryFile temporary(directory, name);
    if (const auto permissions = permissionsToKeep(target))
        temporary.setPermissions(*permissions);
    temporary.write(bytes);
    temporary.flushAndClose();
    temporary.commit(target);
    flushDirectory(directory);
}

}  // namespace AtomicFileWriter
