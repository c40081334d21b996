#pragma once
// Renaming a file for the rename commands: the system's rename, which also moves the file
// to another directory of the same file system, except that it never replaces anything
// that already has the new name.
#include <string>

// Gives the file `from` the name `to`; returns 0, or the errno when the file keeps its name
// (EEXIST when the new name is taken). Only `to` naming the very same directory entry
// (the same text, or another spelling of the same directory) changes nothing and succeeds.
// A name that leads to the same file some other way is taken all the same: a hard link, a
// symbolic link and its target, or another spelling on a file system that ignores case
// (renaming a link onto its target would replace the target's data by the link).
int RenameWithoutReplacing(const std::string& from, const std::string& to);

// The way round for file systems that refuse the kernel's no-replace flag: a hard link
// under the new name (which fails when the name is taken), then the old name removed.
// Where the file system has no hard links either, RenameByReservingName. Returns 0 or the
// errno.
int RenameByLinking(const std::string& from, const std::string& to);

// The last way round: the new name is taken first as an empty file created exclusively
// (which fails when the name exists), and the rename then replaces only that placeholder.
// Returns 0 or the errno.
int RenameByReservingName(const std::string& from, const std::string& to);
