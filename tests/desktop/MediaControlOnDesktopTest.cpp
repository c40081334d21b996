// The program's desktop media control driven by playerctl, the tool that key bindings and
// panels use, on a desktop and bus of the test's own: each command is checked by the status
// and the metadata that follow it.
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "desktop/DesktopSession.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"

namespace {

using desktop_test::DesktopSession;
using namespace std::chrono_literals;

class MediaControlOnDesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string missing = DesktopSession::missingTools();
        if (QStandardPaths::findExecutable(QStringLiteral("playerctl")).isEmpty())
            missing += (missing.empty() ? "" : ", ") + std::string("playerctl");
        if (!missing.empty()) {
            if (std::getenv("CI"))
                FAIL() << "missing on CI: " << missing;
            GTEST_SKIP() << "needs " << missing << " (./setup test installs them)";
        }
        ASSERT_TRUE(desktop.start()) << desktop.why();
        home.write("sr3.ini", "[Display]\r\nOptFirstRun=0\r\nOptTipOfDay=0\r\n");
    }

    // playerctl on the program's player, its words split at blanks.
    DesktopSession::ToolResult playerctl(const std::string& words)
    {
        QStringList arguments{QStringLiteral("--player=sonorail")};
        std::istringstream split(words);
        for (std::string word; split >> word;)
            arguments.append(QString::fromStdString(word));
        return desktop.runTool(QStringLiteral("playerctl"), arguments);
    }
    std::string answer(const std::string& words) { return playerctl(words).output; }

    // Whether playerctl's answer comes to be the expected one: commands run on the program's
    // event loop after their reply.
    bool answers(const std::string& words, const std::string& expected)
    {
        return DesktopSession::waitUntil([&] { return answer(words) == expected; }, 10s);
    }

    double position() { return std::atof(answer("position").c_str()); }

    DesktopSession desktop;
    TempDir home;
};

TEST_F(MediaControlOnDesktopTest, PlayerctlDrivesPlaybackAndSeesWhatPlays)
{
    QStringList files;
    for (const char* name : {"a.wav", "b.wav", "c.wav"}) {
        home.write(name, test_media::waveFile(20000));
        files.append(QString::fromStdString(home.file(name)));
    }
    desktop.startProgram(QString::fromStdString(home.path().string()), files);
    ASSERT_TRUE(answers("status", "Stopped")) << "no player on the bus";
    // The files are queued once start-up is done; until then there is nothing to play.
    ASSERT_TRUE(DesktopSession::waitUntil(
        [&] {
            playerctl("play");
            return answer("status") == "Playing";
        },
        10s));
    EXPECT_EQ(answer("metadata title"), "a.wav") << "metadata is given while an item plays";

    playerctl("play");  // while playing: nothing skips
    playerctl("pause");
    EXPECT_TRUE(answers("status", "Paused"));
    EXPECT_EQ(answer("metadata title"), "a.wav");
    playerctl("position 2");
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return std::abs(position() - 2.0) < 0.05; }, 5s)) << position();
    playerctl("position 5-");
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return position() < 0.05; }, 5s))
        << "seeking back past the start goes to the start, not " << position();

    playerctl("play-pause");
    EXPECT_TRUE(answers("status", "Playing"));
    EXPECT_EQ(answer("metadata title"), "a.wav") << "resumed, not skipped";
    playerctl("next");
    EXPECT_TRUE(answers("metadata title", "b.wav"));
    playerctl("position 100+");
    EXPECT_TRUE(answers("metadata title", "c.wav")) << "seeking on past the end goes to the next item";
    EXPECT_EQ(answer("status"), "Playing");

    playerctl("loop Playlist");
    EXPECT_TRUE(answers("loop", "Playlist"));
    playerctl("shuffle On");
    EXPECT_TRUE(answers("shuffle", "On"));
    EXPECT_EQ(answer("loop"), "None") << "Shuffle unchecks Continuous";
    playerctl("shuffle Off");
    EXPECT_TRUE(answers("shuffle", "Off"));

    playerctl("stop");
    EXPECT_TRUE(answers("status", "Stopped"));
    // The queue is empty now: nothing to play, so nothing to describe.
    EXPECT_NE(playerctl("play").exitCode, 0);
    EXPECT_NE(playerctl("metadata").exitCode, 0);
    EXPECT_EQ(answer("status"), "Stopped");
}

}  // namespace
