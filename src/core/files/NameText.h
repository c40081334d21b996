#pragma once
// Texts of file names for the file-manager commands: the extension rule of the rename
// dialog, where a typed new name leads, and the bytes a name typed over a shown one means.
#include <string>
#include <string_view>

// The rename dialog's rule for an accepted name: a name typed without an extension gets the
// old name's ("/m/TUNE" for "/m/SONG.MID" -> "/m/TUNE.MID"); one with an extension keeps it.
std::string WithOldExtension(std::string_view typed, std::string_view oldName);

// The path a new name typed in the rename dialog leads to: an absolute name as it is, any
// other one taken from the file list's directory ("TUNE.MID", "../x", "sub/x").
std::string RenameTargetPath(std::string_view directory, std::string_view newName);

// The bytes of a name typed over the readable form of `original` (names are shown as
// Utf8FromLegacyText gives them): the readable form itself stands for original, and a name
// that still starts with the readable form of original's directory keeps that directory's
// own bytes, so a name edited in a directory whose name is not UTF-8 stays there.
std::string TypedNameBytes(std::string_view typed, std::string_view original);
