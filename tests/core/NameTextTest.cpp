#include "core/files/NameText.h"

#include <gtest/gtest.h>

#include "core/files/CdTrackRename.h"
#include "core/files/FileManagerTexts.h"

namespace {

TEST(NameText, TheExtensionIsTheTailFromTheLastDotAfterEverySeparator)
{
    EXPECT_EQ(ExtensionOf("C:\\MUSIC\\SONG.MID"), ".MID");
    EXPECT_EQ(ExtensionOf("/home/a/song.tar.mid"), ".mid");
    EXPECT_EQ(ExtensionOf("/home/a.b/song"), "");
    EXPECT_EQ(ExtensionOf("a.b:c"), "");
    EXPECT_EQ(ExtensionOf("a.b\\c"), "");
    EXPECT_EQ(ExtensionOf("/m/.hidden"), ".hidden");
    EXPECT_EQ(ExtensionOf("name."), ".");
    EXPECT_EQ(ExtensionOf(""), "");
}

TEST(NameText, TheRenameDialogGivesANameTypedWithoutExtensionTheOldOne)
{
    FileManagerTexts texts;
    texts.RenameFrom = "/music/SONG.MID";
    const auto accepted = [&](const std::string& typed) {
        texts.renameAccepted(typed);
        return texts.RenameTo;
    };

    EXPECT_EQ(accepted("/music/TUNE"), "/music/TUNE.MID");
    EXPECT_EQ(accepted("tune.wav"), "tune.wav");
    EXPECT_EQ(accepted("../x"), "../x.MID");
    // Typed words that look like the dialog's answers are names unless the old name has
    // no extension to lend.
    EXPECT_EQ(accepted("(cancel)"), "(cancel).MID");
    EXPECT_EQ(accepted("(cancel all)"), "(cancel all).MID");
    texts.RenameFrom = "/music/README";
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

TEST(NameText, NamesThatAreNotUtf8ShowReadably)
{
    EXPECT_EQ(ReadableName("caf\xC3\xA9.mid"), "caf\xC3\xA9.mid");
    EXPECT_EQ(ReadableName("caf\xE9.mid"), "caf\xC3\xA9.mid");                // Latin-1 é
    EXPECT_EQ(ReadableName("\x93quoted\x94"), "\xE2\x80\x9Cquoted\xE2\x80\x9D");  // Windows-1252 quotes
    EXPECT_EQ(ReadableName("\x81"), "\xEF\xBF\xBD");                          // no character in either
    EXPECT_EQ(ReadableName("\xC3"), "\xC3\x83");                              // a cut-off sequence
    EXPECT_EQ(ReadableName("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");  // an encoded surrogate
}

TEST(NameText, ANameEditedInItsReadableFormKeepsTheBytesItWasNotTypedOver)
{
    const std::string original = "/m\xFCsik/caf\xE9.mid";  // Latin-1 directory and name
    const std::string readableDirectory = "/m\xC3\xBCsik/";

    EXPECT_EQ(TypedNameBytes(ReadableName(original), original), original);
    EXPECT_EQ(TypedNameBytes(readableDirectory + "tune.mid", original), "/m\xFCsik/tune.mid");
    EXPECT_EQ(TypedNameBytes("tune.mid", original), "tune.mid");
    EXPECT_EQ(TypedNameBytes("/tmp/x.mid", original), "/tmp/x.mid");

    FileManagerTexts texts;
    texts.RenameFrom = original;
    texts.renameAccepted(readableDirectory + "tune");
    EXPECT_EQ(texts.RenameTo, "/m\xFCsik/tune.mid");
}

TEST(NameText, CutsCountCharactersNotBytes)
{
    EXPECT_EQ(FirstCharacters("abcdef", 3), "abc");
    EXPECT_EQ(FirstCharacters("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(FirstCharacters("ab", 40), "ab");
    EXPECT_EQ(FirstCharacters("\xFF\xFE" "abc", 3), "\xFF\xFE" "a");
}

TEST(CdTrackRename, ANewTrackNameKeepsNumberAndExtensionAndIsCutToFortyCharacters)
{
    const std::string name45 = "A very long track name of forty-five letters.";
    ASSERT_EQ(name45.size(), 45u);

    EXPECT_EQ(CdTrackName("03:Intro.cdt"), "Intro");
    EXPECT_EQ(CdTrackName("03:a:b.c.cdt"), "a:b.c");
    EXPECT_EQ(CdTrackName("03:"), "");
    EXPECT_EQ(RenamedCdEntry("03:Intro.cdt", "Overture"), "03:Overture.cdt");
    EXPECT_EQ(RenamedCdEntry("12:Name of Track.cdt", name45), "12:" + name45.substr(0, 40) + ".cdt");
    EXPECT_EQ(RenamedCdEntry("01:x.cdt", std::string(45, 'e') + "\xC3\xA9"), "01:" + std::string(40, 'e') + ".cdt");
    EXPECT_EQ(CdTrackNote(0), "Track #1");
}

}  // namespace
