#include "core/files/FileTransfer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <system_error>

#include "core/base/IoErrorText.h"
#include "core/base/PendingFile.h"
#include "core/base/UniqueFd.h"
#include "core/base/WriteAll.h"

namespace {

// Bytes asked of the kernel per copy_file_range call, and the buffer of the read/write copy
// where the kernel cannot copy between the two files itself. Large enough that the calls
// cost nothing next to the disk; small enough that progress and Cancel are heard several
// times a second even on a slow stick.
constexpr std::size_t kRangeChunk = 4u << 20;
constexpr std::size_t kBufferSize = 1u << 20;

std::string directoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

[[noreturn]] void cannotCreate(int errnoValue) { IoErrorText::raise(errnoValue); }

// The source, opened without waiting: a pipe put where a listed file was would block a
// plain open for reading. Only plain files are copied. Returns 0 or the errno.
int openSource(const std::string& path, UniqueFd& source, struct stat& info)
{
    source.reset(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (source.get() < 0)
        return errno;
    if (::fstat(source.get(), &info) != 0)
        return errno;
    if (!S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    ::fcntl(source.get(), F_SETFL, 0);  // blocking reads from here on
    ::posix_fadvise(source.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return 0;
}

// The destination's own trouble, found before any byte is copied: a directory standing at
// its name can never be replaced by a file, and a file the user may not write is kept (the
// rename that puts the copy in place would otherwise replace it all the same).
void requireReplaceable(const std::string& destination)
{
    struct stat info {};
    if (::lstat(destination.c_str(), &info) != 0)
        return;
    if (S_ISDIR(info.st_mode))
        cannotCreate(EISDIR);
    if (::faccessat(AT_FDCWD, destination.c_str(), W_OK, AT_EACCESS) != 0 && (errno == EACCES || errno == EPERM))
        cannotCreate(errno);
}

// A full disk or a failing device, which fail the copy (the close of a file on some file
// systems reports them), as against a destination that cannot be made at all.
bool isWriteFailure(int error) { return error == ENOSPC || error == EDQUOT || error == EFBIG || error == EIO; }

// The copy being written: a file beside the destination that takes the destination's name
// only when it is complete (PendingFile), so a failed, cancelled or killed copy leaves
// nothing behind.
class PartialCopy {
public:
    explicit PartialCopy(const std::string& destination)
    {
        try {
            pending.emplace(directoryOf(destination), nameOf(destination), 0600);
        } catch (const std::system_error& error) {
            cannotCreate(error.code().value());
        }
    }

    int fd() const { return pending->fd(); }

    // The source's permission bits and times. Returns 0 or the errno.
    int finish(const struct stat& source)
    {
        if (::fchmod(fd(), source.st_mode & 0777) != 0 ||
            ::futimens(fd(), std::array<timespec, 2>{source.st_atim, source.st_mtim}.data()) != 0)
            return errno;
        return 0;
    }

    // Puts the copy in place. Returns 0, or the errno of a write failure that showed only
    // now; raises the system's reason when the copy cannot take the name.
    int commit()
    {
        try {
            pending->commit();
        } catch (const std::system_error& error) {
            if (isWriteFailure(error.code().value()))
                return error.code().value();
            cannotCreate(error.code().value());
        }
        return 0;
    }

private:
    std::optional<PendingFile> pending;
};

// copy_file_range refuses some pairs of files (different file system types, old kernels,
// special files); the read/write copy then goes on from where it stopped.
bool kernelCopyRefused(int error)
{
    return error == EXDEV || error == EINVAL || error == EOPNOTSUPP || error == ENOSYS;
}

enum class CopyEnd { Complete, Cancelled, Failed };

// Copies from the files' current offsets to the end of the source.
CopyEnd copyContents(int in, int out, std::uint64_t size, const CopyProgress& progress, int& error)
{
    bool kernelCopy = true;
    std::unique_ptr<char[]> buffer;
    std::uint64_t copied = 0;
    for (;;) {
        ssize_t count = 0;
        if (kernelCopy) {
            count = ::copy_file_range(in, nullptr, out, nullptr, kRangeChunk, 0);
            // No bytes may also mean a file system that cannot tell; read to be sure.
            if (count == 0 || (count < 0 && kernelCopyRefused(errno))) {
                kernelCopy = false;
                continue;
            }
        } else {
            if (!buffer)
                buffer = std::make_unique<char[]>(kBufferSize);
            count = ::read(in, buffer.get(), kBufferSize);
            if (count == 0)
                return CopyEnd::Complete;
            if (count > 0) {
                error = WriteAll(out, std::string_view(buffer.get(), static_cast<std::size_t>(count)));
                if (error != 0)
                    return CopyEnd::Failed;
            }
        }
        if (count < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return CopyEnd::Failed;
        }
        copied += static_cast<std::uint64_t>(count);
        if (progress && !progress(copied, size))
            return CopyEnd::Cancelled;
    }
}

TransferResult copyOpenSource(int source, const struct stat& sourceInfo, const std::string& destination,
                              const CopyProgress& progress)
{
    requireReplaceable(destination);
    PartialCopy copy(destination);
    int error = 0;
    switch (copyContents(source, copy.fd(), static_cast<std::uint64_t>(sourceInfo.st_size), progress, error)) {
        case CopyEnd::Cancelled:
            return {TransferOutcome::Cancelled, 0};
        case CopyEnd::Failed:
            return {TransferOutcome::Failed, error};
        case CopyEnd::Complete:
            break;
    }
    if ((error = copy.finish(sourceInfo)) != 0 || (error = copy.commit()) != 0)
        return {TransferOutcome::Failed, error};
    return {};
}

bool destinationIsSource(const struct stat& sourceInfo, const std::string& destination)
{
    struct stat info {};
    return ::stat(destination.c_str(), &info) == 0 && sameFile(info, sourceInfo);
}

}  // namespace

TransferResult CopyOneFile(const std::string& source, const std::string& destination, const CopyProgress& progress)
{
    UniqueFd input;
    struct stat sourceInfo {};
    if (const int error = openSource(source, input, sourceInfo))
        return {TransferOutcome::SourceUnreadable, error};
    if (destinationIsSource(sourceInfo, destination))
        return {TransferOutcome::SameFile, 0};
    return copyOpenSource(input.get(), sourceInfo, destination, progress);
}

TransferResult MoveOneFile(const std::string& source, const std::string& destination, const CopyProgress& progress)
{
    UniqueFd input;
    struct stat sourceInfo {};
    if (const int error = openSource(source, input, sourceInfo))
        return {TransferOutcome::SourceUnreadable, error};
    if (destinationIsSource(sourceInfo, destination))
        return {TransferOutcome::SameFile, 0};
    requireReplaceable(destination);
    if (::rename(source.c_str(), destination.c_str()) == 0)
        return {};
    // Another file system (or a rename refused for a reason the copy will meet and report
    // itself): copy, and delete the source only when the copy is complete.
    const TransferResult copied = copyOpenSource(input.get(), sourceInfo, destination, progress);
    if (copied.outcome == TransferOutcome::Done)
        ::unlink(source.c_str());
    return copied;
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && sameFile(first, second);
}
