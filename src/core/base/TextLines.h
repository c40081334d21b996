#pragma once
// Splitting the text of albums and playlists into lines, whatever system wrote them.
#include <string_view>
#include <vector>

// The lines of text: a carriage return, a line feed, or the two together end a line; text
// after the last line end forms a last line, while a line end at the very end adds none.
// A byte 0 ends the text. The views point into text.
std::vector<std::string_view> SplitTextLines(std::string_view text);
