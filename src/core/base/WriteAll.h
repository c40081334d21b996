#pragma once
// Writing a whole buffer to a file descriptor: the kernel may write less than asked (a full
// disk half-way, a signal), so every writer goes on until all is written or one fails.
#include <sys/types.h>

#include <string_view>

// Writes bytes at the descriptor's offset. Returns 0, or the errno of the write that
// failed (EIO for one that wrote nothing).
int WriteAll(int fd, std::string_view bytes);

// The same with pwrite, from offset `at` on; the descriptor's own offset does not move.
int WriteAllAt(int fd, std::string_view bytes, off_t at);
