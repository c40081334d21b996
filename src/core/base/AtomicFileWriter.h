#pragma once
// Replaces whole files so that a crash or a full disk never leaves a half-written one:
// readers see either the old bytes or the new ones.
#include <string>
#include <string_view>

namespace AtomicFileWriter {

// Replaces the file at path with bytes: written to a new file in the same directory
// (PendingFile: nothing is left behind should the program die meanwhile), flushed (fsync),
// then put in the old one's place. A symbolic link at path is followed and its target
// replaced, keeping the target's permission bits (a new file gets 0666 & ~umask). A file
// the user may not write is refused (EACCES) before anything is written. On failure the
// old file is untouched, nothing new is left, and std::system_error (with the errno) is
// thrown.
void replace(const std::string& path, std::string_view bytes);

}  // namespace AtomicFileWriter
