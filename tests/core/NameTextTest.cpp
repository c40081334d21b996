#include "core/files/NameText.h"

#include <gtest/gtest.h>

#include "core/base/Utf8Text.h"
#include "core/cd/CdEntry.h"
#include "core/files/FileManagerTexts.h"

namespace {

TEST(NameText, TheRenameDialogGivesANameTypedWithoutExtensionTheOldOne)
{
    FileManagerTexts texts;
    texts.renameFrom = "/music/SONG.MID";
    const auto accepted = [&](const std::string& typed) {
        texts.renameAccepted(typed);
        return texts.renameTo;
    };

    EXPECT_EQ(accepted("/music/TUNE"), "/music/TUNE.MID");
    EXPECT_EQ(accepted("tune.wav"), "tune.wav");
    EXPECT_EQ(accepted("../x"), "../x.MID");
    // Typed words that look like the dialog's answers are names unless the old name has
    // no extension to lend.
    EXPECT_EQ(accepted("(cancel)"), "(cancel).MID");
    EXPECT_EQ(accepted("(cancel all)"), "(cancel all).MID");
    texts.renameFrom = "/music/README";
    EXPECT_EQ(accepted("(cancel)"), kRenameCancelled);
    EXPECT_EQ(accepted("(cancel all)"), kRenameCancelledAll);
}

TEST(NameText, ANewNameLeadsFromTheListsDirectoryUnlessItIsAbsolute)
{
    EXPECT_EQ(RenameTargetPath("/music", "tune.mid"), "/music/tune.mid");
    EXPECT_EQ(RenameTargetPath("/", "tune.mid"), "/tune.mid");
    EXPECT_EQ(RenameTargetPath("/music", "../tune.mid"), "/music/../tune.mid");
    EXPECT_EQ(RenameTargetPath("/music", "/tmp/tune.mid"), "/tmp/tune.mid");
}

TEST(NameText, ANameEditedInItsReadableFormKeepsTheBytesItWasNotTypedOver)
{
    const std::string original = "/m\xFCsik/caf\xE9.mid";  // Latin-1 directory and name
    const std::string readableDirectory = "/m\xC3\xBCsik/";

    EXPECT_EQ(TypedNameBytes(Utf8FromLegacyText(original), original), original);
    EXPECT_EQ(TypedNameBytes(readableDirectory + "tune.mid", original), "/m\xFCsik/tune.mid");
    EXPECT_EQ(TypedNameBytes("tune.mid", original), "tune.mid");
    EXPECT_EQ(TypedNameBytes("/tmp/x.mid", original), "/tmp/x.mid");

    FileManagerTexts texts;
    texts.renameFrom = original;
    texts.renameAccepted(readableDirectory + "tune");
    EXPECT_EQ(texts.renameTo, "/m\xFCsik/tune.mid");
}

TEST(CdTrackRename, ANewTrackNameKeepsTheRowsNumberAndExtensionAndIsCutToFortyCharacters)
{
    const std::string name45 = "A very long track name of forty-five letters.";
    ASSERT_EQ(name45.size(), 45u);

    EXPECT_EQ(CdEntry::trackName("03:a:b.c.cdt"), "a:b.c");
    EXPECT_EQ(CdEntry::renamed("03:Intro.cdt", "Overture"), "03:Overture.cdt");
    EXPECT_EQ(CdEntry::renamed("12:Name of Track.cdt", name45), "12:" + name45.substr(0, 40) + ".cdt");
    EXPECT_EQ(CdEntry::renamed("xy:from a damaged slot.cdt", "Outro"), "xy:Outro.cdt");
}

}  // namespace
