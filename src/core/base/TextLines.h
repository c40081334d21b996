#pragma once
// Splitting the text of albums and playlists into lines, whatever system wrote them, and
// telling the texts that would break a line.
#include <string_view>
#include <vector>

// Whether text holds a carriage return, a line feed or a byte 0: it cannot stand on a line
// of an album, and no file name here holds a byte 0.
bool HoldsLineBreakOrNul(std::string_view text);

// The lines of text: a carriage return, a line feed, or the two together end a line; text
// after the last line end forms a last line, while a line end at the very end adds none.
// A byte 0 ends the text. The views point into text.
std::vector<std::string_view> SplitTextLines(std::string_view text);
