#pragma once
// Texts of file names for the file-manager commands: the extension rule of the rename
// dialog, where a typed new name leads, and names shown to the user.
#include <cstddef>
#include <string>
#include <string_view>

// The tail of `text` from its last "." that comes after every "/", "\" and ":", the dot
// included; empty when there is no such dot ("C:\MUSIC\SONG.MID" -> ".MID", "a.b/c" -> "").
std::string_view ExtensionOf(std::string_view text);

// The rename dialog's rule for an accepted name: a name typed without an extension gets the
// old name's ("/m/TUNE" for "/m/SONG.MID" -> "/m/TUNE.MID"); one with an extension keeps it.
std::string WithOldExtension(std::string_view typed, std::string_view oldName);

// The path a new name typed in the rename dialog leads to: an absolute name as it is, any
// other one taken from the file list's directory ("TUNE.MID", "../x", "sub/x").
std::string RenameTargetPath(std::string_view directory, std::string_view newName);

// A file name's bytes as readable UTF-8: valid UTF-8 stays as it is, every other byte is
// read as Windows-1252 (where such names usually come from), so "caf\xE9.mid" shows as
// "café.mid". Only for showing: the bytes themselves still name the file.
std::string ReadableName(std::string_view bytes);

// The bytes of a name typed over the readable form of `original` (the rename dialog shows
// names readably): the readable form itself stands for original, and a name that still
// starts with the readable form of original's directory keeps that directory's own bytes,
// so a name edited in a directory whose name is not UTF-8 stays in that directory.
std::string TypedNameBytes(std::string_view typed, std::string_view original);

// The first `count` characters of UTF-8 text (a byte that starts no valid character counts
// as one), never cutting a character in two.
std::string FirstCharacters(std::string_view text, std::size_t count);
