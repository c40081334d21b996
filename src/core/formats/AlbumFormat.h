#pragma once
// Album files: the queue's entry texts, one per line, each line ended by CR LF, with no
// header. The bytes of a text are kept as the file system gives them.
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The entry texts of an album's bytes (line ends of any system; a byte 0 ends the album).
std::vector<std::string> ParseAlbum(std::string_view bytes);
// The bytes of an album holding texts in their order.
std::string ComposeAlbum(std::span<const std::string> texts);
