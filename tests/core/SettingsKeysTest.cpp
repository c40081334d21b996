#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/FileAccessCounter.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "core/formats/ProfileFile.h"
#include "core/settings/SettingsKeys.h"
#include "core/base/SonorailError.h"

namespace {

Settings readFrom(const TempDir& dir, const std::string& content)
{
    dir.write("sr3.ini", content);
    return ReadSettings(ProfileFile(dir.file("sr3.ini")));
}

TEST(LoadSettings, NoFileGivesTheDefaultOfEveryKey)
{
    TempDir dir;
    Settings settings = ReadSettings(ProfileFile(dir.file("sr3.ini")));
    Settings defaults;
    for (const SettingsKey& key : SettingsKeys()) {
        EXPECT_EQ(SettingValue(settings, key), key.defaultValue) << key.key;
        EXPECT_EQ(SettingValue(defaults, key), key.defaultValue) << "record default of " << key.key;
    }
    EXPECT_EQ(settings.ToolbarSlots, (std::array<int, 11>{1, 2, 18, 19, 20, 21, 22, 23, 24, 25, 26}));
    EXPECT_TRUE(settings.optDragDrop);
    EXPECT_FALSE(settings.optForceToolbarDock);
    EXPECT_EQ(settings.optSaveDefaultAlbumWhenDone, daYes);
}

TEST(LoadSettings, ToolbarSlotsOutsideTheCommandsBecomeOpenAlbum)
{
    TempDir dir;
    Settings settings =
        readFrom(dir, "[Toolbar]\r\nT1=0x0A\r\nT2=35\r\nT3=0\r\nT4=abc\r\nT5=34\r\nT6=$14\r\nT7=-3\r\n");
    EXPECT_EQ(settings.ToolbarSlots[0], 10);
    EXPECT_EQ(settings.ToolbarSlots[1], 1);
    EXPECT_EQ(settings.ToolbarSlots[2], 1);
    EXPECT_EQ(settings.ToolbarSlots[3], 19) << "text that is no number keeps the slot's default";
    EXPECT_EQ(settings.ToolbarSlots[4], 34);
    EXPECT_EQ(settings.ToolbarSlots[5], 20);
    EXPECT_EQ(settings.ToolbarSlots[6], 1);
}

TEST(LoadSettings, BooleansReadAsIntegersAndNamesWithoutCase)
{
    TempDir dir;
    Settings settings =
        readFrom(dir,
                 "[general]\nOPTDRAGDROP=0\n[Display]\noptDisplayTime=5\noptShowAnimatedIcon=x\n"
                 "[Albums]\noptSaveDefaultAlbumWhenDone=7\n[cdaudio]\nLookupServer=http://mirror.example:5000/\n");
    EXPECT_FALSE(settings.optDragDrop);
    EXPECT_TRUE(settings.optDisplayTime);
    EXPECT_TRUE(settings.optShowAnimatedIcon) << "an unreadable value keeps the default";
    EXPECT_EQ(settings.optSaveDefaultAlbumWhenDone, 7);
    EXPECT_EQ(settings.LookupServer, "http://mirror.example:5000/") << "a text key is taken as written";
    EXPECT_EQ(Settings{}.LookupServer, "https://musicbrainz.org");
    EXPECT_TRUE(settings.optOnlineLookup);
}

TEST(WriteDialogSettings, WritesTheFifteenKeysAndLeavesEverythingElse)
{
    TempDir dir;
    const std::string original =
        "; my settings\r\n[Toolbar]\r\nT1=5\r\n[Display]\r\nOptTipOfDay=0\r\noptDisplayTime=5\r\nMine=kept\r\n";
    dir.write("sr3.ini", original);
    ProfileFile file(dir.file("sr3.ini"));
    Settings settings = ReadSettings(file);
    settings.optSaveDefaultAlbumWhenDone = -1;
    WriteDialogSettings(file, settings);

    const std::string written = dir.read("sr3.ini");
    EXPECT_NE(written.find("; my settings\r\n[Toolbar]\r\nT1=5\r\n[Display]\r\nOptTipOfDay=0\r\noptDisplayTime=1\r\n"
                           "Mine=kept\r\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("optSaveDefaultAlbumWhenDone=-1\r\n"), std::string::npos);
    EXPECT_EQ(written.find("OptFirstRun"), std::string::npos);
    Settings reread = ReadSettings(file);
    for (const SettingsKey& key : SettingsKeys())
        EXPECT_EQ(SettingText(reread, key), SettingText(settings, key)) << key.key;
}

TEST(WriteDialogSettings, AFileThatCannotBeWrittenNamesItsPath)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "sr3.ini");
    ProfileFile file(dir.file("sr3.ini"));
    try {
        WriteDialogSettings(file, Settings{});
        FAIL() << "the write succeeded";
    } catch (const SonorailError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + dir.file("sr3.ini"));
    }
}

// A settings file is read once to load every key, and read once and replaced once when the
// dialog's keys are written, whatever its size (it was read for every key and rewritten for
// every key written).
TEST(SettingsFile, EachOperationReadsItOnceAndWritesItOnce)
{
    TempDir dir;
    dir.write("sr3.ini", "[General]\r\noptDragDrop=1\r\n");
    ProfileFile file(dir.file("sr3.ini"));
    FileAccessCounter accesses(dir.path(), "sr3.ini");
    Settings settings = ReadSettings(file);
    EXPECT_EQ(accesses.take().opened, 1);

    settings.optDragDrop = false;
    settings.optDisplayTime = false;
    WriteDialogSettings(file, settings);
    const FileAccessCounter::Counts written = accesses.take();
    EXPECT_EQ(written.opened, 1);
    EXPECT_EQ(written.replaced, 1);
    EXPECT_FALSE(ReadSettings(file).optDisplayTime);
}

}  // namespace
