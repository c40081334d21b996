#pragma once
// Texts of input/output failures, taken from the system's error codes in one place so
// that every file operation of the program reports them in the same words.
#include <string>

#include "core/base/SonorailError.h"

namespace IoErrorText {

// "File not found", "Invalid filename", "Too many open files", "File access denied",
// "Read beyond end of file", "Disk full", "Invalid numeric input", else "I/O error %d".
std::string forErrno(int errnoValue);

std::string cannotOpenFile(const std::string& path);    // "Cannot open file %s"
std::string cannotCreateFile(const std::string& path);  // "Cannot create file %s"
std::string notValidInteger(const std::string& text);   // "'%s' is not a valid integer value"

// Raises the error for errnoValue (forErrno's text).
[[noreturn]] void raise(int errnoValue);

}  // namespace IoErrorText
