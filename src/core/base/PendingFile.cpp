#include "core/base/PendingFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <set>
#include <string_view>
#include <system_error>

namespace {

constexpr int kMaxHiddenNameAttempts = 100;
// Keeps the hidden name within the 255-byte limit of a file name even for long names.
constexpr std::size_t kMaxNameInHidden = 120;
// The longest process id worth reading (Linux stays below 2^22), and the longest count.
constexpr std::size_t kMaxPidDigits = 9;
constexpr std::size_t kMaxCountDigits = 20;

// The subject is joined to the text here, not by the caller: building the text there could
// change errno before it is read.
[[noreturn]] void fail(int errnoValue, const char* what, const std::string& subject = {})
{
    throw std::system_error(errnoValue, std::generic_category(), what + subject);
}

// An unnamed file is named through /proc/self/fd: linking it by its descriptor alone needs
// a privilege an ordinary user lacks.
bool canNameUnnamedFiles()
{
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

// What open() says when the file system (or an old kernel) has no unnamed files.
bool unnamedFilesUnsupported(int error) { return error == EOPNOTSUPP || error == EISDIR || error == EINVAL; }

std::string hiddenNameFor(const std::string& name)
{
    static std::atomic<unsigned> counter{0};
    return "." + name.substr(0, kMaxNameInHidden) + ".tmp-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++);
}

// "123" of "123-4" or "123-4-5": the process id of what follows the marker of a hidden
// name; 0 when it does not read so.
pid_t pidBeforeCounts(std::string_view rest)
{
    pid_t pid = 0;
    std::size_t digits = 0;
    int groups = 0;
    bool inPid = true;
    for (const char c : rest) {
        if (c == '-' && digits > 0) {
            inPid = false;
            digits = 0;
            ++groups;
        } else if (c >= '0' && c <= '9' && digits < (inPid ? kMaxPidDigits : kMaxCountDigits)) {
            if (inPid)
                pid = pid * 10 + (c - '0');
            ++digits;
        } else {
            return 0;
        }
    }
    return digits > 0 && groups >= 1 && groups <= 2 ? pid : 0;
}

// The process that gave an entry its hidden name: "." + name + ".tmp-PID-N" as PendingFile
// names it, ".tmp-PID-N-T" and ".part-PID-N" as the replaced files and the copies of
// earlier releases were named. 0 for every other entry.
pid_t writerOfHiddenName(std::string_view entry)
{
    if (!entry.starts_with('.'))
        return 0;
    for (const std::string_view marker : {std::string_view(".tmp-"), std::string_view(".part-")}) {
        const std::size_t at = entry.rfind(marker);
        if (at != std::string_view::npos && at > 0)
            return pidBeforeCounts(entry.substr(at + marker.size()));
    }
    return 0;
}

std::string descriptorPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

bool processHasEnded(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// True the first time a run meets the directory: it is swept once.
bool firstVisit(int directoryFd, const std::string& directory)
{
    static std::mutex sweptLock;
    static std::set<std::string> swept;
    struct stat info {};
    if (::fstat(directoryFd, &info) != 0)
        return false;
    const std::lock_guard lock(sweptLock);
    return swept.insert(std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" + directory).second;
}

bool isLeftoverOfEndedWriter(int directoryFd, const char* entry)
{
    const pid_t writer = writerOfHiddenName(entry);
    if (writer <= 0 || writer == ::getpid() || !processHasEnded(writer))
        return false;
    struct stat info {};
    return ::fstatat(directoryFd, entry, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
           info.st_uid == ::geteuid();
}

// Hidden files of ours in the directory whose writer has died (killed while saving or
// copying): nothing else would ever remove them. Each directory is swept once per run;
// files of other users are left alone.
void removeLeftoversOfEndedWriters(const std::string& directory)
{
    const UniqueFd opened(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (opened.get() < 0 || !firstVisit(opened.get(), directory))
        return;
    const int listed = ::dup(opened.get());  // closedir closes it
    DIR* listing = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (!listing) {
        if (listed >= 0)
            ::close(listed);
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (isLeftoverOfEndedWriter(opened.get(), entry->d_name))
            ::unlinkat(opened.get(), entry->d_name, 0);
    }
    ::closedir(listing);
}

}  // namespace

PendingFile::PendingFile(std::string directoryPath, std::string fileName, mode_t mode)
    : directory(std::move(directoryPath)), name(std::move(fileName)), target(directory + "/" + name)
{
    removeLeftoversOfEndedWriters(directory);
    if (canNameUnnamedFiles()) {
        file.reset(::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
        if (file.get() >= 0)
            return;
        if (!unnamedFilesUnsupported(errno))
            fail(errno, "Cannot create a file in ", directory);
    }
    openWithHiddenName(mode);
}

PendingFile::~PendingFile()
{
    file.reset();
    if (!hiddenPath.empty())
        ::unlink(hiddenPath.c_str());
}

void PendingFile::openWithHiddenName(mode_t mode)
{
    for (int attempt = 0; attempt < kMaxHiddenNameAttempts; ++attempt) {
        const std::string path = directory + "/" + hiddenNameFor(name);
        file.reset(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode));
        if (file.get() >= 0) {
            hiddenPath = path;
            return;
        }
        if (errno != EEXIST)
            fail(errno, "Cannot create a file in ", directory);
    }
    fail(EEXIST, "Cannot create a file in ", directory);
}

void PendingFile::commit()
{
    if (hiddenPath.empty()) {
        commitUnnamed();
        return;
    }
    if (const int error = file.close())
        fail(error, "Cannot close ", hiddenPath);
    if (::rename(hiddenPath.c_str(), target.c_str()) != 0)
        fail(errno, "Cannot replace ", target);
    hiddenPath.clear();
}

bool PendingFile::linkToHiddenName()
{
    const std::string byDescriptor = descriptorPath(file.get());
    for (int attempt = 0; attempt < kMaxHiddenNameAttempts; ++attempt) {
        const std::string path = directory + "/" + hiddenNameFor(name);
        if (::linkat(AT_FDCWD, byDescriptor.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            hiddenPath = path;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    errno = EEXIST;
    return false;
}

// The unnamed file takes its name at once when the name is free. Otherwise it takes a
// hidden name first and replaces the old file by one rename, as no link may replace.
void PendingFile::commitUnnamed()
{
    const std::string byDescriptor = descriptorPath(file.get());
    if (::linkat(AT_FDCWD, byDescriptor.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        if (const int error = file.close()) {
            ::unlink(target.c_str());
            fail(error, "Cannot close ", target);
        }
        return;
    }
    if (errno != EEXIST)
        fail(errno, "Cannot create ", target);
    if (!linkToHiddenName())
        fail(errno, "Cannot create a file in ", directory);
    if (const int error = file.close())
        fail(error, "Cannot close ", hiddenPath);
    if (::rename(hiddenPath.c_str(), target.c_str()) != 0)
        fail(errno, "Cannot replace ", target);
    hiddenPath.clear();
}
