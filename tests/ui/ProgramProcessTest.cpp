// The real program as separate processes: one copy per program directory, and the ways
// a running copy ends.
#include <csignal>
#include <cstring>
#include <filesystem>

#include "support/ProgramProcessFixture.h"

namespace {

class ProgramProcessTest : public ProgramProcessFixture {
protected:
    void SetUp() override { home.write("sr3.ini", "[Display]\r\nOptFirstRun=0\r\nOptTipOfDay=0\r\n"); }
};

TEST_F(ProgramProcessTest, SecondCopyEndsWithoutAWindowAndTheFirstGoesOn)
{
    auto first = startCopy();
    ASSERT_TRUE(showsItsWindow(*first));
    auto second = startCopy({"/b"});
    EXPECT_TRUE(endsWithStatusZero(*second));
    EXPECT_EQ(second->readAllStandardOutput(), "") << "the second copy painted a window";
    EXPECT_EQ(first->state(), QProcess::Running);

    first->terminate();  // SIGTERM: the quiet exit, status 0
    EXPECT_TRUE(endsWithStatusZero(*first));
}

TEST_F(ProgramProcessTest, CopiesStartedTogetherLeaveExactlyOneRunning)
{
    auto one = startCopy();
    auto other = startCopy();
    // Whichever lost ends by itself; the winner paints its window and keeps running.
    QProcess* winner = nullptr;
    QProcess* loser = nullptr;
    for (int waited = 0; waited < kGenerousMs && !loser; waited += 50) {
        if (one->waitForFinished(25))
            loser = one.get(), winner = other.get();
        else if (other->waitForFinished(25))
            loser = other.get(), winner = one.get();
    }
    ASSERT_TRUE(loser) << "both copies kept running";
    EXPECT_TRUE(endsWithStatusZero(*loser));
    EXPECT_TRUE(showsItsWindow(*winner));
    EXPECT_EQ(winner->state(), QProcess::Running);
    winner->terminate();
    EXPECT_TRUE(endsWithStatusZero(*winner));
}

TEST_F(ProgramProcessTest, FilesReachTheQueueOfTheCopyAlreadyRunning)
{
    const QString dir = QString::fromStdString(home.path().string());
    auto first = startCopy({dir + "/first.mid", "/b"});
    ASSERT_TRUE(printsLine(*first, "queue: " + (dir + "/first.mid").toUtf8()));
    ASSERT_TRUE(showsItsWindow(*first));

    // Relative names are taken from the caller's directory; unknown kinds are dropped.
    auto second = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SONORAIL_HOME", dir);
    environment.insert("XDG_RUNTIME_DIR", dir);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    second->setProcessEnvironment(environment);
    second->setWorkingDirectory(dir);
    second->start(SONORAIL_EXECUTABLE, {"second.wav", "notes.xyz", "/s"});
    EXPECT_TRUE(endsWithStatusZero(*second));
    EXPECT_TRUE(printsLine(*first, "queue: " + (dir + "/first.mid|" + dir + "/second.wav").toUtf8()));

    first->terminate();
    EXPECT_TRUE(endsWithStatusZero(*first));
}

// SIGTERM is the quiet exit: nothing is asked, and a default album that cannot be written
// is reported on stderr; the old one stays as it was and the program ends normally.
TEST_F(ProgramProcessTest, TerminationThatCannotSaveTheDefaultAlbumSaysSoAndEnds)
{
    home.write("sr3.ini",
               "[Display]\r\nOptFirstRun=0\r\nOptTipOfDay=0\r\n[Albums]\r\noptLoadDefaultAlbumWhenStart=1\r\n");
    std::filesystem::create_directory(home.file("default.alb"));  // where the album would go
    const QString song = QString::fromStdString(home.file("song.mid"));
    auto copy = startCopy({song});
    ASSERT_TRUE(printsLine(*copy, "queue: " + song.toUtf8()));
    ASSERT_TRUE(showsItsWindow(*copy));

    copy->terminate();
    EXPECT_TRUE(endsWithStatusZero(*copy)) << "status " << copy->exitCode();
    const QByteArray errors = copy->readAllStandardError();
    EXPECT_TRUE(errors.contains(QByteArray::fromStdString("Cannot create file " + home.file("default.alb"))))
        << errors.toStdString();
    EXPECT_TRUE(std::filesystem::is_directory(home.file("default.alb")));
    EXPECT_TRUE(std::filesystem::is_empty(home.file("default.alb")));
}

// The terminal or the session closing (SIGHUP), Ctrl+C (SIGINT) and SIGTERM all end the
// program by the quiet exit, which saves the queue as the default album.
TEST_F(ProgramProcessTest, HangUpInterruptAndTerminationEachSaveTheQueue)
{
    home.write("sr3.ini",
               "[Display]\r\nOptFirstRun=0\r\nOptTipOfDay=0\r\n[Albums]\r\noptLoadDefaultAlbumWhenStart=1\r\n");
    const QString song = QString::fromStdString(home.file("song.mid"));
    for (const int signalNumber : {SIGHUP, SIGINT, SIGTERM}) {
        std::filesystem::remove(home.file("default.alb"));
        auto copy = startCopy({song});
        ASSERT_TRUE(printsLine(*copy, "queue: " + song.toUtf8()));
        ASSERT_TRUE(showsItsWindow(*copy));

        ::kill(static_cast<pid_t>(copy->processId()), signalNumber);
        EXPECT_TRUE(endsWithStatusZero(*copy)) << ::strsignal(signalNumber);
        ASSERT_TRUE(std::filesystem::exists(home.file("default.alb"))) << ::strsignal(signalNumber);
        EXPECT_EQ(home.read("default.alb"), song.toStdString() + "\r\n");
    }
}

// The program directory does not exist yet and lies behind a link (~/.config linked
// elsewhere): the first copy and every later one still agree on the guard's name.
TEST_F(ProgramProcessTest, ALinkedProgramDirectoryMadeByTheFirstCopyKeepsOneCopy)
{
    std::filesystem::create_directory(home.file("elsewhere"));
    std::filesystem::create_directory_symlink(home.file("elsewhere"), home.file("config"));
    const std::string programDir = home.file("config") + "/sonorail";
    auto first = startCopy({}, {{"SONORAIL_HOME", QString::fromStdString(programDir)}});
    for (int waited = 0; waited < kGenerousMs && !std::filesystem::exists(home.file("elsewhere/sonorail"));
         waited += 20)
        first->waitForFinished(20);
    ASSERT_TRUE(std::filesystem::is_directory(home.file("elsewhere/sonorail")));
    for (int copy = 2; copy <= 3; ++copy) {
        auto later = startCopy({}, {{"SONORAIL_HOME", QString::fromStdString(programDir)}});
        EXPECT_TRUE(endsWithStatusZero(*later)) << "copy " << copy << " kept running beside the first";
    }
    EXPECT_EQ(first->state(), QProcess::Running);
}

}  // namespace
