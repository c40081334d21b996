#include "core/base/WriteAll.h"

#include <unistd.h>

#include <cerrno>

namespace {

// writeSome(data, size, done) writes some of the size bytes at data, done bytes having
// been written before; it returns what write() and pwrite() return.
template <typename WriteSome>
int writeAllWith(std::string_view bytes, WriteSome writeSome)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = writeSome(bytes.data() + done, bytes.size() - done, done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

}  // namespace

int WriteAll(int fd, std::string_view bytes)
{
    return writeAllWith(bytes,
                        [fd](const char* data, std::size_t size, std::size_t) { return ::write(fd, data, size); });
}

int WriteAllAt(int fd, std::string_view bytes, off_t at)
{
    return writeAllWith(bytes, [fd, at](const char* data, std::size_t size, std::size_t done) {
        return ::pwrite(fd, data, size, at + static_cast<off_t>(done));
    });
}
