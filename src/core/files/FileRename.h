#pragma once
// Renaming a file for the rename commands: the system's rename, which also moves the file
// to another directory of the same file system, except that it never replaces a file that
// already has the new name.
#include <string>

// Gives the file `from` the name `to`; returns 0, or the errno when the file keeps its name
// (EEXIST when another file has the new name). A new name that leads to the same file (the
// same text, a hard link, another spelling on a file system that ignores case) is no
// conflict: the same text changes nothing, any other is the system's plain rename.
int RenameWithoutReplacing(const std::string& from, const std::string& to);

// The way round for file systems that refuse the kernel's no-replace flag: the new name is
// taken first as an empty file created exclusively (which fails when the name exists), and
// the rename then replaces only that placeholder. Returns 0 or the errno.
int RenameByReservingName(const std::string& from, const std::string& to);
