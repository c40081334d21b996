#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "core/base/ProgramPaths.h"
#include "core/base/SonorailError.h"

namespace fs = std::filesystem;

namespace {

ProgramLocation locationOf(const fs::path& executable)
{
    return {executable.string(), std::nullopt, std::nullopt, std::string("/home/someone")};
}

// A program in a bin directory beside share/sonorail, as a package installs it.
ProgramLocation installedIn(const TempDir& dir)
{
    fs::create_directories(dir.path() / "usr/bin");
    fs::create_directories(dir.path() / "usr/share/sonorail");
    return locationOf(dir.path() / "usr/bin/sonorail");
}

TEST(ProgramPaths, APortableProgramKeepsItsFilesBesideItself)
{
    TempDir dir;
    ProgramPaths paths = ProgramPaths::fromLocation(locationOf(dir.path() / "sonorail"));
    EXPECT_FALSE(paths.installed());
    EXPECT_EQ(paths.programDir(), dir.path().string() + "/");
    EXPECT_EQ(paths.programFile("sr3.ini"), dir.path().string() + "/sr3.ini");
}

TEST(ProgramPaths, AnInstalledProgramKeepsItsFilesInTheUsersConfiguration)
{
    TempDir dir;
    ProgramLocation location = installedIn(dir);
    EXPECT_EQ(ProgramPaths::fromLocation(location).programDir(), "/home/someone/.config/sonorail/");
    location.xdgConfigHome = "/elsewhere/config";
    EXPECT_EQ(ProgramPaths::fromLocation(location).programDir(), "/elsewhere/config/sonorail/");
    location.xdgConfigHome = "relative/config";  // not absolute: ignored, as the XDG rules say
    EXPECT_EQ(ProgramPaths::fromLocation(location).programDir(), "/home/someone/.config/sonorail/");
}

TEST(ProgramPaths, WhatCanBeMadeAgainGoesToTheUsersCacheOnlyForAnInstalledProgram)
{
    TempDir dir;
    ProgramLocation location = installedIn(dir);
    EXPECT_EQ(ProgramPaths::fromLocation(location).cacheDir(), "/home/someone/.cache/sonorail/");
    location.xdgCacheHome = "/elsewhere/cache";
    EXPECT_EQ(ProgramPaths::fromLocation(location).cacheDir(), "/elsewhere/cache/sonorail/");
    location.sonorailHome = (dir.path() / "home").string();
    EXPECT_EQ(ProgramPaths::fromLocation(location).cacheDir(), (dir.path() / "home").string() + "/");
    EXPECT_EQ(ProgramPaths::fromLocation(locationOf(dir.path() / "sonorail")).cacheDir(), dir.path().string() + "/");
}

TEST(ProgramPaths, ABinDirectoryWithoutSharedDataIsPortable)
{
    TempDir dir;
    fs::create_directories(dir.path() / "bin");
    ProgramPaths paths = ProgramPaths::fromLocation(locationOf(dir.path() / "bin/sonorail"));
    EXPECT_FALSE(paths.installed());
    EXPECT_EQ(paths.programDir(), (dir.path() / "bin").string() + "/");
}

TEST(ProgramPaths, SonorailHomeWinsOverEverything)
{
    TempDir dir;
    ProgramLocation location = installedIn(dir);
    location.sonorailHome = (dir.path() / "home").string();
    EXPECT_EQ(ProgramPaths::fromLocation(location).programDir(), (dir.path() / "home").string() + "/");
}

TEST(ProgramPaths, ReadOnlyDataIsFoundInProgramDirThenBesideTheProgramThenShared)
{
    TempDir dir;
    fs::create_directories(dir.path() / "usr/bin");
    fs::create_directories(dir.path() / "usr/share/sonorail");
    fs::create_directories(dir.path() / "home");
    dir.write("usr/share/sonorail/icons.bmp", "shared");
    ProgramLocation location = locationOf(dir.path() / "usr/bin/sonorail");
    location.sonorailHome = (dir.path() / "home").string();
    ProgramPaths paths = ProgramPaths::fromLocation(location);
    EXPECT_EQ(paths.dataFile("icons.bmp"), (dir.path() / "usr/share/sonorail/icons.bmp").string());
    dir.write("usr/bin/icons.bmp", "beside");
    EXPECT_EQ(paths.dataFile("icons.bmp"), (dir.path() / "usr/bin/icons.bmp").string());
    dir.write("home/icons.bmp", "own");
    EXPECT_EQ(paths.dataFile("icons.bmp"), (dir.path() / "home/icons.bmp").string());
    EXPECT_EQ(paths.dataFile("missing.txt"), (dir.path() / "home/missing.txt").string());
}

TEST(ProgramPaths, CreatingProgramDirUnderARegularFileFails)
{
    TempDir dir;
    dir.write("file", "x");
    ProgramLocation location = locationOf(dir.path() / "sonorail");
    location.sonorailHome = (dir.path() / "file" / "home").string();
    ProgramPaths paths = ProgramPaths::fromLocation(location);
    EXPECT_THROW(paths.createProgramDir(), SonorailError);
    location.sonorailHome = (dir.path() / "new" / "home").string();
    ProgramPaths::fromLocation(location).createProgramDir();
    EXPECT_TRUE(fs::is_directory(dir.path() / "new" / "home"));
}

}  // namespace
