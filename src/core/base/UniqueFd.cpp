#include "core/base/UniqueFd.h"

#include <unistd.h>

#include <cerrno>

UniqueFd::~UniqueFd() { reset(); }

void UniqueFd::reset(int newFd)
{
    if (fd >= 0)
        ::close(fd);
    fd = newFd;
}

int UniqueFd::close()
{
    const int closing = fd;
    fd = -1;
    return ::close(closing) == 0 ? 0 : errno;
}
