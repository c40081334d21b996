#include "core/formats/ProfileFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/TempDir.h"
#include "core/base/SonorailError.h"
#include "support/ErrorOf.h"

namespace fs = std::filesystem;

namespace {

std::string entriesOf(const fs::path& directory)
{
    std::string names;
    for (const auto& entry : fs::directory_iterator(directory))
        names += entry.path().filename().string() + ";";
    return names;
}

}  // namespace

// ---- Finding a value in the text ----

TEST(ProfileFileLookup, NamesMatchWithoutRegardToAsciiCase)
{
    const std::string content = "[OPTIONS]\r\nOPTDRAGDROP=0\r\n[Caf\xC9]\r\nK=1\r\n";
    EXPECT_EQ(ProfileFile::findValue(content, "Options", "optDragDrop"), "0");
    EXPECT_EQ(ProfileFile::findValue(content, "options", "OptDragDrop"), "0");
    // Only ASCII letters fold: 8-bit bytes are no known encoding.
    EXPECT_EQ(ProfileFile::findValue(content, "CAF\xC9", "k"), "1");
    EXPECT_EQ(ProfileFile::findValue(content, "caf\xE9", "k"), std::nullopt);
}

TEST(ProfileFileLookup, BlanksAndOnePairOfQuotesAroundNamesAndValuesAreDropped)
{
    const std::string content =
        "  [ Main\t]  \r\n"
        "\t key one \t=  \"  spaced value \"  \r\n"
        "single='x'\r\n"
        "nested=\"'y'\"\r\n"
        "mismatched=\"z'\r\n"
        "lonequote=\"\r\n"
        "inner=a \"b\" c\r\n";
    EXPECT_EQ(ProfileFile::findValue(content, "Main", "key one"), "  spaced value ");
    EXPECT_EQ(ProfileFile::findValue(content, " main\t", "\tKEY ONE "), "  spaced value ");
    EXPECT_EQ(ProfileFile::findValue(content, "main", "single"), "x");
    EXPECT_EQ(ProfileFile::findValue(content, "main", "nested"), "'y'");
    EXPECT_EQ(ProfileFile::findValue(content, "main", "mismatched"), "\"z'");
    EXPECT_EQ(ProfileFile::findValue(content, "main", "lonequote"), "\"");
    EXPECT_EQ(ProfileFile::findValue(content, "main", "inner"), "a \"b\" c");
}

TEST(ProfileFileLookup, CommentsAndLinesWithoutAKeyAreNeverKeys)
{
    const std::string content =
        "early=0\r\n"
        "[s]\r\n"
        ";hidden=1\r\n"
        "  ; alsoHidden=2\r\n"
        "no equals here\r\n"
        "=orphan\r\n"
        "[unclosed=3\r\n"
        "real=a=b\r\n";
    EXPECT_EQ(ProfileFile::findValue(content, "s", ";hidden"), std::nullopt);
    EXPECT_EQ(ProfileFile::findValue(content, "s", "alsoHidden"), std::nullopt);
    EXPECT_EQ(ProfileFile::findValue(content, "s", "no equals here"), std::nullopt);
    EXPECT_EQ(ProfileFile::findValue(content, "s", ""), std::nullopt);
    EXPECT_EQ(ProfileFile::findValue(content, "s", "[unclosed"), std::nullopt);
    EXPECT_EQ(ProfileFile::findValue(content, "s", "real"), "a=b");
    // A key before the first section belongs to no section.
    EXPECT_EQ(ProfileFile::findValue(content, "", "early"), std::nullopt);
    EXPECT_EQ(ProfileFile::findValue(content, "s", "early"), std::nullopt);
}

TEST(ProfileFileLookup, FirstMatchingKeyOfTheFirstSectionHoldingItWins)
{
    const std::string content = "[a]\r\nx=1\r\nx=2\r\n[b]\r\ny=b\r\n[A]\r\nx=3\r\ny=4\r\n";
    EXPECT_EQ(ProfileFile::findValue(content, "a", "x"), "1");
    EXPECT_EQ(ProfileFile::findValue(content, "a", "y"), "4");
    EXPECT_EQ(ProfileFile::findValue(content, "b", "y"), "b");
    EXPECT_EQ(ProfileFile::findValue(content, "b", "x"), std::nullopt);
}

TEST(ProfileFileLookup, ReadsLfCrLfAndALoneCrAtTheEnd)
{
    const std::string content = "[s]\nlf=1\ncrlf=2\r\nlast=3\r";
    EXPECT_EQ(ProfileFile::findValue(content, "s", "lf"), "1");
    EXPECT_EQ(ProfileFile::findValue(content, "s", "crlf"), "2");
    EXPECT_EQ(ProfileFile::findValue(content, "s", "last"), "3");
    EXPECT_EQ(ProfileFile::findValue("[s]\r\nend=4", "s", "end"), "4");
}

TEST(ProfileFileLookup, ValuesAreCutAt1023BytesAndOtherwiseKeptByteForByte)
{
    const std::string fits(ProfileFile::kMaxValueLength, 'v');
    const std::string tooLong = fits + "XYZ";
    EXPECT_EQ(ProfileFile::findValue("[s]\r\nk=" + fits + "\r\n", "s", "k"), fits);
    EXPECT_EQ(ProfileFile::findValue("[s]\r\nk=" + tooLong + "\r\n", "s", "k"), fits);
    const std::string eightBit = std::string("\xE9\xFF\x01") + '\0' + "z";
    EXPECT_EQ(ProfileFile::findValue("[s]\r\nk=" + eightBit + "\r\n", "s", "k"), eightBit);
}

// ---- Integers ----

// Decimal with an optional sign over the whole int range; hexadecimal after "$" or "0x" gives
// the 32 bits, so "$FFFFFFFF" is -1.
TEST(ProfileFileInteger, DecimalOrHexadecimalWithOptionalSignOverTheWholeIntRange)
{
    const std::pair<const char*, int> cases[] = {
        {"0", 0},     {"+7", 7},     {"-13", -13}, {"007", 7},    {"$A", 10},        {"$ff", 255},
        {"0x10", 16}, {"0XfF", 255}, {"-$A", -10}, {"+0x1F", 31}, {"$FFFFFFFF", -1},
    };
    EXPECT_EQ(ProfileFile::parseInteger("2147483647"), INT_MAX);
    EXPECT_EQ(ProfileFile::parseInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(ProfileFile::parseInteger("$7FFFFFFF"), INT_MAX);
    EXPECT_EQ(ProfileFile::parseInteger("$80000000"), INT_MIN);
    EXPECT_EQ(ProfileFile::parseInteger("$00000000FFFFFFFF"), -1);
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ProfileFile::parseInteger(text), value) << text;
}

TEST(ProfileFileInteger, AnythingElseIsNoInteger)
{
    for (const char* text :
         {"",   "abc", "0x",  "$",  "-$",  "+",    "-",           "--5",        "+-5",         " 5",
          "5 ", "1.5", "1e3", "$G", "0xZ", "0x-1", "99999999999", "2147483648", "-2147483649", "$100000000"})
        EXPECT_EQ(ProfileFile::parseInteger(text), std::nullopt) << '"' << text << '"';
}

// ---- Setting a value in the text ----

TEST(ProfileFileEdit, ReplacesTheValueInPlaceKeepingEveryOtherByte)
{
    const std::string content =
        "; settings\r\n[Main]\r\nWidth = 640 \r\n\r\n  height=480\n\tDepth\t=\t8\r\n[Other]\r\nWidth=1\r\n";
    EXPECT_EQ(ProfileFile::withValue(content, "main", "WIDTH", "800"),
              "; settings\r\n[Main]\r\nWidth =800\r\n\r\n  height=480\n\tDepth\t=\t8\r\n[Other]\r\nWidth=1\r\n");
    EXPECT_EQ(ProfileFile::withValue(content, "Main", "height", "1"),
              "; settings\r\n[Main]\r\nWidth = 640 \r\n\r\n  height=1\n\tDepth\t=\t8\r\n[Other]\r\nWidth=1\r\n");
    EXPECT_EQ(ProfileFile::withValue("[s]\r\nk=1", "s", "k", "22"), "[s]\r\nk=22");
    EXPECT_EQ(ProfileFile::withValue("[s]\r\nk=1\r", "s", "k", ""), "[s]\r\nk=\r");
}

TEST(ProfileFileEdit, AddsAMissingKeyAfterTheLastNonBlankLineOfItsSection)
{
    EXPECT_EQ(ProfileFile::withValue("[a]\r\nx=1\r\n; note\r\n\r\n[b]\r\ny=2\r\n", "A", " z ", "3"),
              "[a]\r\nx=1\r\n; note\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
    EXPECT_EQ(ProfileFile::withValue("[a]\r\n\r\n[b]\r\n", "a", "z", "3"), "[a]\r\nz=3\r\n\r\n[b]\r\n");
    EXPECT_EQ(ProfileFile::withValue("[a]\r\nx=1", "a", "z", "3"), "[a]\r\nx=1\r\nz=3\r\n");
    EXPECT_EQ(ProfileFile::withValue("[a]\r", "a", "z", "3"), "[a]\r\nz=3\r\n");
}

TEST(ProfileFileEdit, AppendsAMissingSectionSetApartByAnEmptyLine)
{
    EXPECT_EQ(ProfileFile::withValue("", " New ", "k", "v"), "[New]\r\nk=v\r\n");
    EXPECT_EQ(ProfileFile::withValue("[a]\r\nx=1\r\n", "s", "k", "v"), "[a]\r\nx=1\r\n\r\n[s]\r\nk=v\r\n");
    EXPECT_EQ(ProfileFile::withValue("[a]\r\nx=1", "s", "k", "v"), "[a]\r\nx=1\r\n\r\n[s]\r\nk=v\r\n");
    EXPECT_EQ(ProfileFile::withValue("[a]\r\nx=1\r", "s", "k", "v"), "[a]\r\nx=1\r\n\r\n[s]\r\nk=v\r\n");
}

TEST(ProfileFileEdit, LfOnlyTextKeepsItsLinesAndGetsCrLfOnAddedOnes)
{
    const std::string content = "[a]\nx=1\n\n[b]\ny=2\n";
    EXPECT_EQ(ProfileFile::withValue(content, "a", "x", "5"), "[a]\nx=5\n\n[b]\ny=2\n");
    EXPECT_EQ(ProfileFile::withValue(content, "a", "z", "9"), "[a]\nx=1\nz=9\r\n\n[b]\ny=2\n");
    EXPECT_EQ(ProfileFile::withValue(content, "c", "k", "v"), "[a]\nx=1\n\n[b]\ny=2\n\r\n[c]\r\nk=v\r\n");
}

TEST(ProfileFileEdit, ChangesTheLineThatIsReadWhenNamesRepeat)
{
    const std::string content = "[a]\r\nx=1\r\n[A]\r\ny=2\r\ny=3\r\n";
    const std::string changed = ProfileFile::withValue(content, "a", "y", "9");
    EXPECT_EQ(changed, "[a]\r\nx=1\r\n[A]\r\ny=9\r\ny=3\r\n");
    EXPECT_EQ(ProfileFile::findValue(changed, "a", "y"), "9");
    // A new key goes to the first of the repeated sections.
    EXPECT_EQ(ProfileFile::withValue(content, "a", "z", "4"), "[a]\r\nx=1\r\nz=4\r\n[A]\r\ny=2\r\ny=3\r\n");
}

TEST(ProfileFileEdit, RefusesTextThatWouldBreakTheFilesLines)
{
    struct Entry {
        const char* section;
        const char* key;
        const char* value;
    };
    for (const Entry& bad :
         {Entry{"s", "k", "a\r\nb"}, Entry{"s", "k", "a\nb"}, Entry{"s", "k", "a\r"}, Entry{"s\n", "k", "v"},
          Entry{"s]", "k", "v"}, Entry{"s", "k\r", "v"}, Entry{"s", "a=b", "v"}, Entry{"s", "[k", "v"},
          Entry{"s", " ;k", "v"}, Entry{"s", "", "v"}, Entry{"s", " \t", "v"}})
        EXPECT_THROW(ProfileFile::withValue("[s]\r\nk=1\r\n", bad.section, bad.key, bad.value), std::invalid_argument)
            << bad.section << '|' << bad.key << '|' << bad.value;
    // Characters that are harmless where they stand are stored.
    EXPECT_EQ(ProfileFile::withValue("", "[x", "k]", "=]["), "[[x]\r\nk]==][\r\n");
    EXPECT_EQ(ProfileFile::findValue("[[x]\r\nk]==][\r\n", "[x", "k]"), "=][");
}

// ---- The file on disk ----

// Several keys in one pass: values replaced in place, missing keys after their section's
// last line in their order (a last line without its end completed first), missing sections
// appended once; an invalid one changes nothing.
TEST(ProfileFileEdit, ManyKeysInOnePassLeaveWhatOneAfterTheOtherWould)
{
    const ProfileFile::KeyValue edits[] = {{"A", "x", "5"},   {"A", "y", "2"}, {"B", "z", "3"},
                                           {" a ", "w", "4"}, {"b", "Z", "6"}, {"C", "v", ""}};
    const std::string content = "[A]\r\nx=1";
    const std::string expected = "[A]\r\nx=5\r\ny=2\r\nw=4\r\n\r\n[B]\r\nz=6\r\n\r\n[C]\r\nv=\r\n";
    EXPECT_EQ(ProfileFile::withValues(content, edits), expected);
    std::string oneAfterOther = content;
    for (const ProfileFile::KeyValue& edit : edits)
        oneAfterOther = ProfileFile::withValue(oneAfterOther, edit.section, edit.key, edit.value);
    EXPECT_EQ(oneAfterOther, expected);

    const ProfileFile::KeyName names[] = {{"b", "z"}, {"A", "q"}, {"a", "Y"}};
    EXPECT_EQ(ProfileFile::findValues(expected, names),
              (std::vector<std::optional<std::string>>{"6", std::nullopt, "2"}));
    const ProfileFile::KeyValue withABadOne[] = {{"A", "x", "7"}, {"A", "bad", "line\nbreak"}};
    EXPECT_THROW(ProfileFile::withValues(content, withABadOne), std::invalid_argument);
}

TEST(ProfileFileOnDisk, MissingOrUnreadableFilesAndMissingKeysGiveTheDefaults)
{
    TempDir dir;
    const ProfileFile missing(dir.file("missing.ini"));
    EXPECT_EQ(missing.readString("s", "k", "fallback"), "fallback");
    EXPECT_EQ(missing.readInteger("s", "k", 17), 17);
    EXPECT_TRUE(missing.readBoolean("s", "k", true));

    fs::create_directory(dir.path() / "folder.ini");
    EXPECT_EQ(ProfileFile(dir.file("folder.ini")).readString("s", "k", "fallback"), "fallback");

    dir.write("p.ini", "[s]\r\nword=abc\r\nzero=0\r\nhex=$10\r\n");
    const ProfileFile file(dir.file("p.ini"));
    EXPECT_EQ(file.readString("s", "other", "fallback"), "fallback");
    EXPECT_EQ(file.readInteger("s", "word", 5), 5);
    EXPECT_TRUE(file.readBoolean("s", "word", true));
    EXPECT_FALSE(file.readBoolean("s", "zero", true));
    EXPECT_EQ(file.readInteger("s", "hex", 0), 16);
    EXPECT_TRUE(file.readBoolean("s", "hex", false));
}

TEST(ProfileFileOnDisk, ReadsTheFileAnewOnEveryCall)
{
    TempDir dir;
    const ProfileFile file(dir.file("p.ini"));
    dir.write("p.ini", "[s]\r\nk=first\r\n");
    EXPECT_EQ(file.readString("s", "k", ""), "first");
    dir.write("p.ini", "[s]\r\nk=second\r\n");
    EXPECT_EQ(file.readString("s", "k", ""), "second");
}

TEST(ProfileFileOnDisk, WritesCreateTheFileAndReadBack)
{
    TempDir dir;
    ProfileFile file(dir.file("new.ini"));
    file.writeString("Main", "Name", "Jo");
    file.writeInteger("Main", "Count", -5);
    file.writeBoolean("Main", "On", true);
    file.writeBoolean("Main", "Off", false);
    EXPECT_EQ(dir.read("new.ini"), "[Main]\r\nName=Jo\r\nCount=-5\r\nOn=1\r\nOff=0\r\n");
    EXPECT_EQ(file.readString("main", "name", ""), "Jo");
    EXPECT_EQ(file.readInteger("main", "count", 0), -5);
    EXPECT_TRUE(file.readBoolean("main", "on", false));
    EXPECT_FALSE(file.readBoolean("main", "off", true));
}

TEST(ProfileFileOnDisk, EditsAnLfOnlyFileKeepingItsOtherBytes)
{
    TempDir dir;
    dir.write("p.ini", "; kept\n[a]\nx=1\n\n[b]\ny=2\n");
    ProfileFile file(dir.file("p.ini"));
    file.writeString("A", "X", "7");
    file.writeString("b", "z", "8");
    EXPECT_EQ(dir.read("p.ini"), "; kept\n[a]\nx=7\n\n[b]\ny=2\nz=8\r\n");
    EXPECT_EQ(entriesOf(dir.path()), "p.ini;");
}

TEST(ProfileFileOnDisk, ADirectoryWhereTheFileShouldBeFailsTheWriteAndKeepsEverything)
{
    TempDir dir;
    fs::create_directory(dir.path() / "p.ini");
    dir.write("p.ini/inside", "data");
    ProfileFile file(dir.file("p.ini"));
    EXPECT_EQ(errorOf([&] { file.writeString("s", "k", "v"); }), "Unable to write to " + file.path());
    EXPECT_EQ(dir.read("p.ini/inside"), "data");
    EXPECT_EQ(entriesOf(dir.path()), "p.ini;");
}

TEST(ProfileFileOnDisk, APathUnderARegularFileFailsTheWrite)
{
    TempDir dir;
    dir.write("plain", "bytes");
    ProfileFile file(dir.file("plain") + "/p.ini");
    EXPECT_EQ(errorOf([&] { file.writeInteger("s", "k", 1); }), "Unable to write to " + file.path());
    EXPECT_EQ(dir.read("plain"), "bytes");
}

TEST(ProfileFileOnDisk, TextThatWouldBreakTheFileIsRefusedAndTheFileKept)
{
    TempDir dir;
    const std::string before = "[s]\r\nk=1\r\n";
    dir.write("p.ini", before);
    ProfileFile file(dir.file("p.ini"));
    const std::string expected = "Unable to write to " + file.path();
    EXPECT_EQ(errorOf([&] { file.writeString("s", "k", "two\r\nlines"); }), expected);
    EXPECT_EQ(errorOf([&] { file.writeString("s", "k", "lf\n"); }), expected);
    EXPECT_EQ(errorOf([&] { file.writeString("s", "a=b", "v"); }), expected);
    EXPECT_EQ(dir.read("p.ini"), before);
}

TEST(ProfileFileOnDisk, WritingThroughASymlinkReplacesTheTargetAndKeepsLinkAndPermissions)
{
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    dir.write("real/p.ini", "[s]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(dir.file("real/p.ini").c_str(), 0600), 0);
    fs::create_symlink("real/p.ini", dir.path() / "link.ini");

    ProfileFile(dir.file("link.ini")).writeString("s", "k", "2");

    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.ini"));
    EXPECT_EQ(fs::read_symlink(dir.path() / "link.ini"), "real/p.ini");
    EXPECT_EQ(dir.read("real/p.ini"), "[s]\r\nk=2\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(dir.file("real/p.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600U);
    EXPECT_EQ(entriesOf(dir.path() / "real"), "p.ini;");
}
