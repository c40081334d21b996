#pragma once
// What the file-information line tells about a file: its attributes as Linux has them, its
// size and its last-write time.
#include <cstdint>
#include <ctime>
#include <string>

struct FileFacts {
    bool readOnly = false;  // this user may not write it (permissions, a read-only mount)
    bool hidden = false;    // a dot-file
    std::uint64_t size = 0;
    std::time_t lastWrite = 0;
    int error = 0;  // the errno when the file cannot be examined (the rest is then unset)
};

// The facts of the file at path, links followed; error set when it has vanished or cannot
// be examined.
FileFacts ReadFileFacts(const std::string& path);

// "ReadOnly ", "Hidden " or both in that order with a comma between ("ReadOnly ,Hidden "),
// empty for neither. Linux has no archive or system flag, so those words never appear.
std::string AttributeText(const FileFacts& facts);
