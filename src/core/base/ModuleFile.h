#pragma once
// Where the program finds a module it opens at first use (the help window, the media back
// end): beside the executable in a build tree, else in the install's module folder, given
// relative to the executable's folder.
#include <string>

std::string ModuleFile(const std::string& executableDir, const std::string& installedFromBin, const std::string& name);
