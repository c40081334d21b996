// The welcome window in the real program: what a run shows before its main window, in the
// build tree and in an installed layout, and what a failing document leaves of the start.
#include <filesystem>

#include "support/ProgramProcessFixture.h"
#include "support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

const QByteArray kIntroductionShown = "welcome: document | 475x302 | INTRODUCTION TO SONORAIL";
const QByteArray kTipShown = "welcome: document | 475x302 | TIP OF THE DAY:";

class WelcomeProcessTest : public ProgramProcessFixture {
protected:
    // The copy's first line is the welcome page (nothing else was shown before it); OK closes
    // it, and then the main window shows.
    static void expectPageBeforeMainWindow(QProcess& copy, const QByteArray& page)
    {
        EXPECT_EQ(nextLine(copy), page);
        pressOk(copy);
        EXPECT_TRUE(showsItsWindow(copy));
    }

    static void quit(QProcess& copy)
    {
        copy.terminate();
        EXPECT_TRUE(endsWithStatusZero(copy));
    }

    // The files under a directory with their sizes and times, to show that nothing changed.
    static std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> snapshot(const fs::path& root)
    {
        std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file())
                files[entry.path().string()] = {entry.file_size(), entry.last_write_time()};
            else
                files[entry.path().string()] = {0, {}};
        }
        return files;
    }
};

TEST_F(WelcomeProcessTest, TheFirstRunShowsTheIntroductionAndTheNextStartTheTipOfTheDay)
{
    auto first = startCopy();
    expectPageBeforeMainWindow(*first, kIntroductionShown);
    quit(*first);
    const std::string settings = home.read("sr3.ini");
    EXPECT_NE(settings.find("OptTipOfDay=1\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("OptFirstRun=0\r\n"), std::string::npos) << settings;

    auto next = startCopy();
    expectPageBeforeMainWindow(*next, kTipShown);
    quit(*next);

    // With the box cleared, no page opens before the main window.
    home.write("sr3.ini", "[Display]\r\nOptTipOfDay=0\r\nOptFirstRun=0\r\n");
    auto last = startCopy();
    EXPECT_EQ(nextLine(*last), "shown");
    quit(*last);
}

TEST_F(WelcomeProcessTest, ATipsFileWhoseCountIsNoNumberIsReportedAndTheStartGoesOn)
{
    home.write("sr3.ini", "[Display]\r\nOptTipOfDay=1\r\nOptFirstRun=0\r\n");
    home.write("tipofday.txt", "abc\r\nA tip.\r\n");
    auto copy = startCopy();
    EXPECT_EQ(nextLine(*copy), "box: 'abc' is not a valid integer value.");
    pressOk(*copy);
    expectPageBeforeMainWindow(*copy, "welcome: document | 475x302 | ");
    quit(*copy);
}

TEST_F(WelcomeProcessTest, FilesFromASecondCopyWhileTheWelcomePageIsOpenReachTheQueue)
{
    auto first = startCopy();
    ASSERT_EQ(nextLine(*first), kIntroductionShown);
    const QString song = QString::fromStdString(home.file("song.mid"));
    auto second = startCopy({song});
    EXPECT_TRUE(endsWithStatusZero(*second));
    // The first copy has the files while its welcome page is still open.
    ASSERT_EQ(nextLine(*first), "other copy: " + song.toUtf8());
    pressOk(*first);
    EXPECT_TRUE(printsLine(*first, "queue: " + song.toUtf8()));
    quit(*first);
}

// Installed: the program in PREFIX/bin, its documents in PREFIX/share/sonorail, which the
// program only reads; the settings in the user's configuration directory.
TEST_F(WelcomeProcessTest, AnInstalledProgramShowsItsPicturesAndDocumentsAndWritesOnlyTheUsersFiles)
{
    const fs::path prefix = home.path() / "usr";
    const fs::path data = prefix / "share" / "sonorail";
    fs::create_directories(prefix / "bin");
    fs::create_directories(data);
    const fs::path built = fs::path(SONORAIL_EXECUTABLE).parent_path();
    fs::copy_file(SONORAIL_EXECUTABLE, prefix / "bin" / "sonorail");
    for (const char* name : {"icons.bmp", "intro.txt", "tech1.txt", "tech2.txt", "tech3.txt", "tipofday.txt"})
        fs::copy_file(built / name, data / name);
    const fs::path config = home.path() / "config";
    const std::map<QString, QString> user{{"SONORAIL_HOME", ""},
                                          {"XDG_CONFIG_HOME", QString::fromStdString(config.string())},
                                          {"HOME", QString::fromStdString(home.path().string())}};
    const QString installed = QString::fromStdString((prefix / "bin" / "sonorail").string());
    const auto before = snapshot(prefix);

    auto first = startCopy({}, user, installed);
    expectPageBeforeMainWindow(*first, kIntroductionShown);
    quit(*first);
    EXPECT_EQ(snapshot(prefix), before) << "the installed files changed";
    const std::string settings = test_files::read((config / "sonorail" / "sr3.ini").string());
    EXPECT_NE(settings.find("OptFirstRun=0\r\n"), std::string::npos) << settings;

    // A tips file missing from every place: one error, then the page with an empty text area,
    // then the main window.
    fs::remove(data / "tipofday.txt");
    auto next = startCopy({}, user, installed);
    EXPECT_EQ(nextLine(*next), "box: File not found.");
    pressOk(*next);
    expectPageBeforeMainWindow(*next, "welcome: document | 475x302 | ");
    quit(*next);
}

}  // namespace
