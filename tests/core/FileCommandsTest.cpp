#include "core/files/FileCommands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/settings/Settings.h"
#include "support/ErrorOf.h"
#include "support/FakeFileManager.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;
using Step = ScriptedFileDialogs::RenameStep;

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest()
    {
        for (const char* name : {"a.mid", "b.wav", "c.txt"})
            list.write(name, name);
        window.refreshFileList();
        window.refreshes = 0;
    }

    Names filesIn(const TempDir& dir) const { return ListFiles(dir.path().string(), FileMask("*")); }

    TempDir list;
    TempDir target;
    Settings settings;
    FakeFileManagerWindow window{list.path().string()};
    ScriptedFileDialogs fileDialogs;
    ScriptedDialogs questions;
    FileManagerViews views{&window, &window, &fileDialogs};
    FileCommands commands{settings, views, [this] { window.StoreCDInfo(); }};
};

TEST_F(FileCommandsTest, CopyAllOnAnEmptyListStillAsksForTheDirectoryAndReadsTheListAgain)
{
    TempDir empty;
    window.directory = empty.path().string();
    window.refreshFileList();
    window.refreshes = 0;
    fileDialogs.directories = {target.path().string()};

    commands.CopyFiles(true);

    EXPECT_EQ(fileDialogs.prompts, Names{"Select where to copy the files."});
    EXPECT_EQ(window.refreshes, 1);
    EXPECT_TRUE(filesIn(target).empty());
}

TEST_F(FileCommandsTest, CommandsOnTheSelectionNeedOneAndACancelledChooserChangesNothing)
{
    commands.CopyFiles(false);
    commands.MoveFiles(false);
    commands.DeleteFiles(false);
    commands.RenameFiles(false);
    EXPECT_EQ(window.infos, (Names{"To copy file(s), at least one must be selected.",
                                   "To move file(s), at least one must be selected.",
                                   "To delete file(s), at least one must be selected.",
                                   "To rename file(s), at least one must be selected."}));
    EXPECT_EQ(fileDialogs.chooserShown, 0);

    window.files.select({"a.mid"});
    commands.MoveFiles(false);  // the chooser is cancelled
    EXPECT_EQ(fileDialogs.prompts, Names{"Select where to move the files."});
    EXPECT_EQ(window.refreshes, 0);
    EXPECT_EQ(filesIn(list), (Names{"a.mid", "b.wav", "c.txt"}));
}

TEST_F(FileCommandsTest, CopyReplacesFilesOfTheSameNameWithoutAQuestion)
{
    target.write("a.mid", "older");
    window.files.select({"a.mid", "c.txt"});
    fileDialogs.directories = {target.path().string()};

    commands.CopyFiles(false);

    EXPECT_EQ(target.read("a.mid"), "a.mid");
    EXPECT_EQ(target.read("c.txt"), "c.txt");
    EXPECT_EQ(filesIn(target), (Names{"a.mid", "c.txt"}));
    EXPECT_TRUE(questions.shown.empty());
    EXPECT_TRUE(window.infos.empty());
    EXPECT_EQ(fileDialogs.progress.files, (Names{"a.mid", "c.txt"}));
    EXPECT_EQ(fileDialogs.progress.finishes, 1);
}

TEST_F(FileCommandsTest, ADestinationThatCannotBeCreatedEndsTheCommandAtItsRow)
{
    fs::create_directory(target.path() / "b.wav");  // a directory where the file would go
    fileDialogs.directories = {target.path().string(), target.path().string()};

    EXPECT_EQ(errorOf([&] { commands.CopyFiles(true); }), "File access denied");
    EXPECT_EQ(filesIn(target), Names{"a.mid"});  // c.txt was never reached
    EXPECT_EQ(errorOf([&] { commands.MoveFiles(true); }), "File access denied");

    EXPECT_EQ(filesIn(target), Names{"a.mid"});
    EXPECT_EQ(filesIn(list), (Names{"b.wav", "c.txt"}));  // the move took a.mid only
    EXPECT_EQ(window.refreshes, 0);
    EXPECT_EQ(fileDialogs.progress.finishes, 2);
}

TEST_F(FileCommandsTest, FilesCopiedOrMovedOntoThemselvesAreLeftAndSaidSo)
{
    fs::create_directory_symlink(list.path(), target.path() / "link");
    fileDialogs.directories = {list.path().string(), (target.path() / "link").string()};

    commands.CopyFiles(true);
    window.files.select({"b.wav"});
    commands.MoveFiles(false);

    EXPECT_EQ(filesIn(list), (Names{"a.mid", "b.wav", "c.txt"}));
    EXPECT_EQ(list.read("b.wav"), "b.wav");
    EXPECT_EQ(window.infos, (Names{"3 files were not copied onto themselves.", "Not moved onto itself: b.wav."}));
}

TEST_F(FileCommandsTest, AMoveLeavesTheListsDirectoryAndTheListFollows)
{
    const std::string shm = "/dev/shm/sonorail-list-" + std::to_string(::getpid());
    fs::create_directory(shm);
    test_files::write(shm + "/far.wav", "far away");
    window.directory = shm;
    window.refreshFileList();
    fileDialogs.directories = {target.path().string(), list.path().string()};

    commands.MoveFiles(true);  // across file systems
    EXPECT_TRUE(window.files.rows.empty());
    window.directory = target.path().string();
    window.refreshFileList();
    commands.MoveFiles(true);  // within one

    EXPECT_EQ(list.read("far.wav"), "far away");
    EXPECT_TRUE(filesIn(target).empty());
    EXPECT_TRUE(window.files.rows.empty());
    fs::remove_all(shm);
}

TEST_F(FileCommandsTest, ACancelledCopyEndsTheCommandAndTheListIsReadAgain)
{
    list.write("b.wav", std::string(9u << 20, 'w'));
    fileDialogs.directories = {target.path().string()};
    fileDialogs.progress.cancelAfter = 2;  // a.mid takes one step, b.wav's first is cancelled

    commands.CopyFiles(true);

    EXPECT_EQ(filesIn(target), Names{"a.mid"});
    EXPECT_EQ(std::distance(fs::directory_iterator(target.path()), fs::directory_iterator()), 1);
    EXPECT_EQ(window.lastInfo(), "Not copied (cancelled): b.wav.");
    EXPECT_EQ(fileDialogs.progress.files, (Names{"a.mid", "b.wav"}));
    EXPECT_EQ(window.refreshes, 1);
}

TEST_F(FileCommandsTest, DeleteAsksForEachFileUntilAll)
{
    list.write("d.mid", "");
    window.refreshFileList();
    window.files.select({"a.mid", "b.wav", "c.txt", "d.mid"});
    questions.answers = {DialogAnswer::No, DialogAnswer::All};

    commands.DeleteFiles(false);

    ASSERT_EQ(questions.shown.size(), 2u);
    EXPECT_EQ(questions.shown[0].caption, "Information");
    EXPECT_EQ(questions.shown[0].kind, DialogKind::Information);
    EXPECT_EQ(questions.shown[0].text, "Delete file a.mid?");
    EXPECT_EQ(questions.shown[0].buttons, DialogButtons::YesNoAll);
    EXPECT_EQ(questions.shown[1].text, "Delete file b.wav?");
    EXPECT_EQ(filesIn(list), Names{"a.mid"});
    EXPECT_EQ(window.files.rows, Names{"a.mid"});
}

TEST_F(FileCommandsTest, DeleteAllAnsweredNoToEachLeavesEveryFile)
{
    questions.answers = {DialogAnswer::No, DialogAnswer::No, DialogAnswer::No};

    commands.DeleteFiles(true);

    EXPECT_EQ(questions.shown.size(), 3u);
    EXPECT_EQ(filesIn(list), (Names{"a.mid", "b.wav", "c.txt"}));
    EXPECT_EQ(window.refreshes, 1);
}

TEST_F(FileCommandsTest, ASingleDeleteAnsweredNoLeavesTheListUnread)
{
    window.files.select({"b.wav"});

    commands.DeleteFiles(false);
    EXPECT_EQ(window.refreshes, 0);
    EXPECT_TRUE(window.files.isSelected(1));
    ASSERT_EQ(questions.shown.size(), 1u);
    EXPECT_EQ(questions.shown[0].buttons, DialogButtons::YesNo);

    questions.answers = {DialogAnswer::Yes};
    commands.DeleteFiles(false);
    EXPECT_EQ(filesIn(list), (Names{"a.mid", "c.txt"}));
    EXPECT_EQ(window.refreshes, 1);
}

TEST_F(FileCommandsTest, DeleteWithoutConfirmationAsksNothingAndANameNotInUtf8DeletesItsFile)
{
    settings.optConfirmDeleteFile = false;
    list.write("caf\xE9.mid", "");
    window.refreshFileList();
    window.files.select({"caf\xE9.mid", "c.txt"});

    commands.DeleteFiles(false);
    EXPECT_TRUE(questions.shown.empty());
    EXPECT_EQ(filesIn(list), (Names{"a.mid", "b.wav"}));

    settings.optConfirmDeleteFile = true;
    list.write("caf\xE9.mid", "");
    window.refreshFileList();
    window.files.select({"caf\xE9.mid"});
    questions.answers = {DialogAnswer::Yes};
    commands.DeleteFiles(false);
    EXPECT_EQ(questions.shown.at(0).text, "Delete file caf\xC3\xA9.mid?");
    EXPECT_EQ(filesIn(list), (Names{"a.mid", "b.wav"}));
}

TEST_F(FileCommandsTest, RenameKeepsTheOldExtensionAndNeverReplacesAFile)
{
    list.write("README", "readme");
    window.refreshFileList();
    window.refreshes = 0;
    fileDialogs.renames = {ScriptedFileDialogs::typed("tune"), ScriptedFileDialogs::typed("c.txt"),
                           ScriptedFileDialogs::typed("(cancel)"), ScriptedFileDialogs::typed("(cancel)")};

    commands.RenameFiles(true);  // rows a.mid, b.wav, c.txt, README

    EXPECT_EQ(fileDialogs.renameFroms,
              (Names{list.file("a.mid"), list.file("b.wav"), list.file("c.txt"), list.file("README")}));
    EXPECT_EQ(filesIn(list), (Names{"(cancel).txt", "b.wav", "README", "tune.mid"}));
    EXPECT_EQ(list.read("b.wav"), "b.wav");  // "c.txt" was taken then
    EXPECT_EQ(list.read("(cancel).txt"), "c.txt");
    EXPECT_EQ(window.lastInfo(), "Not renamed (a file of that name exists): b.wav.");
    EXPECT_EQ(window.refreshes, 1);

    // The reason comes first: a name of 255 bytes would push it out of sight.
    const std::string longest = std::string(251, 'o') + ".mid";
    list.write(longest, "long");
    window.refreshFileList();
    window.files.select({longest});
    fileDialogs.renames = {ScriptedFileDialogs::typed(std::string(252, 'n') + ".mid")};
    commands.RenameFiles(false);
    EXPECT_EQ(window.lastInfo(), "Not renamed (the name is too long): " + longest + ".");
}

TEST_F(FileCommandsTest, RenameTakesNamesFromTheListsDirectoryAndStopsAtCancelAll)
{
    fs::create_directory(list.path() / "sub");
    fileDialogs.renames = {ScriptedFileDialogs::typed("../" + list.path().filename().string() + "/sub/x"),
                           Step{Step::CloseBox, {}}, Step{Step::CancelAll, {}}};
    window.files.select({"a.mid", "b.wav", "c.txt"});

    commands.RenameFiles(false);

    EXPECT_EQ(list.read("sub/x.mid"), "a.mid");
    EXPECT_EQ(filesIn(list), (Names{"b.wav", "c.txt"}));
    EXPECT_EQ(fileDialogs.renameFroms.size(), 3u);
    EXPECT_TRUE(window.infos.empty());
    EXPECT_EQ(window.refreshes, 1);
}

TEST_F(FileCommandsTest, CdTrackRenamesKeepFortyCharactersAndAreStored)
{
    window.cdTab = true;
    window.cd.rows = {"01:Name of Track.cdt", "02:Name of Track.cdt", "03:Intro.Live.cdt"};
    const std::string name45 = "A very long track name of forty-five letters.";
    fileDialogs.renames = {ScriptedFileDialogs::typed(name45), Step{Step::Cancel, {}},
                           ScriptedFileDialogs::typed("Outro")};

    commands.RenameFiles(true);

    EXPECT_EQ(fileDialogs.renameNotes, (Names{"Track #1", "Track #2", "Track #3"}));
    EXPECT_EQ(fileDialogs.renameFroms, (Names{"Name of Track", "Name of Track", "Intro.Live"}));
    EXPECT_EQ(window.cd.rows,
              (Names{"01:" + name45.substr(0, 40) + ".cdt", "02:Name of Track.cdt", "03:Outro.Live.cdt"}));
    EXPECT_EQ(window.stores, 2);
    EXPECT_EQ(window.storedRows, window.cd.rows);
    EXPECT_EQ(window.refreshes, 0);
    EXPECT_EQ(filesIn(list), (Names{"a.mid", "b.wav", "c.txt"}));
}

TEST_F(FileCommandsTest, CdTrackRenameStoresOnCancelAllAndTheCloseBoxCutsTheOldName)
{
    window.cdTab = true;
    window.cd.rows = {"01:" + std::string(45, 'n') + ".cdt", "02:Two.cdt"};
    window.cd.select({"01:" + std::string(45, 'n') + ".cdt", "02:Two.cdt"});
    fileDialogs.renames = {Step{Step::CloseBox, {}}, Step{Step::CancelAll, {}}};

    commands.RenameFiles(false);

    EXPECT_EQ(window.cd.rows, (Names{"01:" + std::string(40, 'n') + ".cdt", "02:Two.cdt"}));
    EXPECT_EQ(window.stores, 2);
}

TEST_F(FileCommandsTest, FileCommandsRefuseOnTheCdTab)
{
    window.cdTab = true;
    window.files.select({"a.mid"});

    commands.CopyFiles(false);
    commands.MoveFiles(true);
    commands.DeleteFiles(true);

    EXPECT_EQ(window.infos, Names(3, "To do that, you need to be in multimedia files mode (not in CD track mode)."));
    EXPECT_EQ(fileDialogs.chooserShown, 0);
    EXPECT_TRUE(questions.shown.empty());
    EXPECT_EQ(filesIn(list), (Names{"a.mid", "b.wav", "c.txt"}));
}

}  // namespace
