#pragma once
// A new file written in the directory it belongs to that takes its name only once it is
// whole. Until then it has no name at all: an unnamed file of that directory, which the
// system frees by itself should the program die. Where the file system cannot hold an
// unnamed file it has a hidden name of ours instead ("." + the name + ".tmp-" + process
// id + "-" + a count); such hidden files left behind by a process that died are removed at
// this process's first write into their directory. Errors are thrown as std::system_error
// with the errno.
#include <sys/types.h>

#include <string>

#include "core/base/UniqueFd.h"

class PendingFile {
public:
    // Opens the pending file in directory, meant for the name `name` there, with the
    // permission bits `mode` less the umask.
    PendingFile(std::string directory, std::string name, mode_t mode);
    // A pending file never given its name is gone with it.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    int fd() const { return file.get(); }

    // Closes the file and gives it its name, replacing whatever has that name (as rename
    // does: a symbolic link there is replaced, not followed). A close that fails (some file
    // systems report a lost write only then) leaves the name as it was.
    void commit();

private:
    void openWithHiddenName(mode_t mode);
    // Gives the open file a new hidden name by its descriptor; false when the file system
    // cannot link it at all (errno tells why).
    bool linkToHiddenName();
    void commitUnnamed();

    std::string directory;
    std::string name;
    std::string target;
    std::string hiddenPath;  // while the file has a hidden name; removed unless committed
    UniqueFd file;
};
