#pragma once
// The one way the program opens a file for reading, and checks a path before a library
// (Qt, libcdio, libVLC, Qt Help) opens it for us: only a regular file is read, and the open
// never blocks. A named pipe put where a file belongs would otherwise hang a plain open until
// some writer came, and a device would be read as if it were the file.
#include <string>

#include "core/base/UniqueFd.h"

namespace RegularFile {

// The errno for a path that exists but is no regular file (a pipe, a socket, a device);
// a directory gives EISDIR.
inline constexpr int kNotARegularFile = 22;  // EINVAL

// Opens path for reading into file (reads from it block as usual) and returns 0; or returns
// the errno (EISDIR, kNotARegularFile or the open's own), file then holding nothing, when
// path is no regular file or cannot be opened.
int openForReading(const std::string& path, UniqueFd& file);

// 0 when path is a regular file this process may open for reading, else the errno as above.
// For paths handed to a library that opens them itself.
int checkReadable(const std::string& path);

// "Cannot open file PATH: REASON" when checkReadable refuses path; nothing otherwise.
void requireReadable(const std::string& path);

}  // namespace RegularFile
