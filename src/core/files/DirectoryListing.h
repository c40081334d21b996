#pragma once
// Reading directories for the browser. Names are the file system's raw bytes, never
// re-encoded, so every name listed opens the file it names. A directory that cannot be
// read (missing, no permission, a path under a plain file, a volume gone) lists nothing.
#include <string>
#include <string_view>
#include <vector>

class FileMask;

// The plain files of `directory` whose names match `mask`, in NameOrder. Symbolic links
// count as what they point to; hidden names (leading ".") are left out.
std::vector<std::string> ListFiles(const std::string& directory, const FileMask& mask);

// The subdirectories of `directory` (links to directories included, hidden ones left out),
// in NameOrder.
std::vector<std::string> ListSubdirectories(const std::string& directory);

// Alphabetical without regard to ASCII case; names equal that way go by their bytes, so
// the order is total and a listing always comes out the same.
bool NameOrder(std::string_view a, std::string_view b);

// `name` inside `directory`. Not WithTrailingBackslash: here "\" is an ordinary byte of a
// name, and a directory whose name ends in one still needs its "/".
std::string ChildPath(std::string_view directory, std::string_view name);

// Removes repeated and trailing "/" ("/a//b/" -> "/a/b"); "/" stays "/".
std::string WithoutTrailingSlash(std::string_view path);

// The directories from `root` down to `directory`, both included ("/m", "/m/a", "/m/a/b").
// Built from the text alone (links are not resolved), so each step goes back the way the
// user came. A directory outside `root` gives just itself.
std::vector<std::string> DirectoryChain(std::string_view root, std::string_view directory);

// True when `path` is `ancestor` or lies below it, on whole path components.
bool IsSameOrBelow(std::string_view path, std::string_view ancestor);

// `directory` if it is one, else the nearest directory above it that still exists, going
// no higher than `root` (given back as it is when even that is gone): a place left on a
// volume may have been removed since.
std::string NearestExistingDirectory(std::string_view directory, std::string_view root);

// The process's current directory; empty when it cannot be told (it was removed).
std::string CurrentWorkingDirectory();
