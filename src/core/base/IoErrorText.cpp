#include "core/base/IoErrorText.h"

#include <cerrno>

namespace IoErrorText {

std::string forErrno(int errnoValue)
{
    switch (errnoValue) {
        case ENOENT:
        case ENOTDIR:
            return "File not found";
        case EINVAL:
        case ENAMETOOLONG:
        case EILSEQ:
            return "Invalid filename";
        case EMFILE:
        case ENFILE:
            return "Too many open files";
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return "File access denied";
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return "Disk full";
        case ERANGE:
            return "Invalid numeric input";
        default:
            return "I/O error " + std::to_string(errnoValue);
    }
}

std::string cannotOpenFile(const std::string& path) { return "Cannot open file " + path; }
std::string cannotCreateFile(const std::string& path) { return "Cannot create file " + path; }
std::string notValidInteger(const std::string& text) { return "'" + text + "' is not a valid integer value"; }

void raise(int errnoValue) { throw SonorailError(forErrno(errnoValue)); }

}  // namespace IoErrorText
