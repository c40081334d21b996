#pragma once
// Where the program's files live. This is the one place that decides it:
// - ProgramDir, where the program reads and writes its own files ("sr3.ini", "default.alb",
//   "cddat.dat", temporary files): $SONORAIL_HOME when set; for an installed program
//   (PREFIX/bin/sonorail beside PREFIX/share/sonorail) the user's configuration directory
//   ($XDG_CONFIG_HOME/sonorail, else ~/.config/sonorail); otherwise (build tree, portable
//   folder) the executable's directory.
// - Read-only data ("icons.bmp", documents, help): ProgramDir first, then beside the
//   executable, then PREFIX/share/sonorail.
// - What the program can make again (the help's search index): for an installed program
//   the user's cache directory ($XDG_CACHE_HOME/sonorail, else ~/.cache/sonorail); else
//   ProgramDir.
#include <optional>
#include <string>

struct ProgramLocation {
    std::string executablePath;               // absolute
    std::optional<std::string> sonorailHome;  // $SONORAIL_HOME
    std::optional<std::string> xdgConfigHome;
    std::optional<std::string> home;
    std::optional<std::string> xdgCacheHome = std::nullopt;
};

class ProgramPaths {
public:
    // Decides the places from the running process and its environment.
    static ProgramPaths fromEnvironment();
    static ProgramPaths fromLocation(const ProgramLocation& location);

    // The directory with its trailing separator.
    const std::string& programDir() const { return programDirectory; }
    const std::string& executableDir() const { return executableDirectory; }
    bool installed() const { return !sharedDataDirectory.empty(); }

    // ProgramDir followed by name.
    std::string programFile(const std::string& name) const;
    // The first existing of ProgramDir, the executable's directory and PREFIX/share/sonorail;
    // ProgramDir + name when none has it (so the error names the expected place).
    std::string dataFile(const std::string& name) const;
    // The folder for what the program can make again, with its trailing separator; it may
    // not exist yet.
    const std::string& cacheDir() const { return cacheDirectory; }
    // Creates ProgramDir when it does not exist yet; raises the error when it cannot.
    void createProgramDir() const;

private:
    std::string programDirectory;
    std::string executableDirectory;
    std::string sharedDataDirectory;  // PREFIX/share/sonorail/ for an installed program
    std::string cacheDirectory;
};

// The paths of this run, decided once at start-up (tests may install their own).
const ProgramPaths& CurrentProgramPaths();
void InstallProgramPaths(const ProgramPaths& paths);
// ProgramDir with its trailing separator.
const std::string& ProgramDir();
