#pragma once
// The one rule for a name's extension, shared by the media kinds, the CD rows and the
// rename dialog: a path written on Windows ("C:\MUSIC\SONG.MID") splits as one written here.
#include <string_view>

// The tail of `text` from its last "." that comes after every "/", "\" and ":", the dot
// included; empty when there is no such dot ("C:\MUSIC\SONG.MID" -> ".MID", "a.b/c" -> "").
std::string_view ExtensionOf(std::string_view text);
