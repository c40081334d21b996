#include "core/base/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "core/base/SonorailError.h"

static_assert(RegularFile::kNotARegularFile == EINVAL);

namespace RegularFile {

namespace {

int typeError(mode_t mode) { return S_ISREG(mode) ? 0 : S_ISDIR(mode) ? EISDIR : kNotARegularFile; }

}  // namespace

int openForReading(const std::string& path, UniqueFd& file)
{
    file.reset();
    // The type is looked at before the open, so that no device is opened at all, and again
    // on the open descriptor, in case something else was put at the path in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno;
    if (const int error = typeError(info.st_mode))
        return error;
    file.reset(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return errno;
    int error = ::fstat(file.get(), &info) != 0 ? errno : typeError(info.st_mode);
    if (error == 0 && ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK) != 0)
        error = errno;
    if (error != 0)
        file.reset();
    return error;
}

int checkReadable(const std::string& path)
{
    UniqueFd file;
    return openForReading(path, file);
}

void requireReadable(const std::string& path)
{
    const int error = checkReadable(path);
    if (error == kNotARegularFile)
        throw SonorailError("Cannot open file " + path + ": it is not a file");
    if (error != 0)
        throw SonorailError("Cannot open file " + path + ": " + std::strerror(error));
}

}  // namespace RegularFile
