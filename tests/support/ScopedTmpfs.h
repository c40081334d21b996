#pragma once
// A small tmpfs mounted for one test, to make a full disk or a read-only volume. Mounting
// needs root (the tests' CI runs as root); where it is refused, mounted() is false and the
// test skips.
#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

class ScopedTmpfs {
public:
    // size: the mount's "size=" option ("1m").
    explicit ScopedTmpfs(const std::string& size)
    {
        std::string pattern = "/tmp/sonorail-tmpfs-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            return;
        mountPoint = pattern;
        isMounted = ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
    }
    ~ScopedTmpfs()
    {
        if (isMounted)
            ::umount2(mountPoint.c_str(), MNT_DETACH);
        if (!mountPoint.empty())
            ::rmdir(mountPoint.c_str());
    }
    ScopedTmpfs(const ScopedTmpfs&) = delete;
    ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;

    bool mounted() const { return isMounted; }
    const std::string& path() const { return mountPoint; }
    std::string file(const std::string& name) const { return mountPoint + "/" + name; }
    bool remountReadOnly()
    {
        return ::mount("tmpfs", mountPoint.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string mountPoint;
    bool isMounted = false;
};
