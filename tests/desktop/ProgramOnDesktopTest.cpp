// The program on a desktop with a window manager (Xvfb and openbox): what the window
// manager makes of its windows, and playback going on behind an error box.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "desktop/DesktopSession.h"
#include "support/TempDir.h"
#include "support/TestMedia.h"

namespace {

using desktop_test::DesktopSession;
using desktop_test::ManagedWindow;
using namespace std::chrono_literals;

const char* const kTitle = "Sonorail V3.0-Win95 Beta2";
const char* const kViewerTitle = "Current item:  ";

class ProgramOnDesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string missing = DesktopSession::missingTools();
        if (!missing.empty()) {
            // CI installs them (./setup test); elsewhere the test says what it needs.
            if (std::getenv("CI"))
                FAIL() << "missing on CI: " << missing;
            GTEST_SKIP() << "needs " << missing << " (./setup test installs them)";
        }
        ASSERT_TRUE(desktop.start()) << desktop.why();
        home.write("sr3.ini", "[Display]\r\nOptFirstRun=0\r\nOptTipOfDay=0\r\n");
    }

    QProcess& startProgram(const QStringList& files)
    {
        QProcess& program = desktop.startProgram(QString::fromStdString(home.path().string()), files);
        mainWindow = desktop.waitForWindow(kTitle);
        return program;
    }

    // A method of the program's desktop media control, once the program has taken its name.
    QDBusMessage callPlayer(const char* method, const QVariantList& arguments = {})
    {
        // Named after the address: every test has a bus of its own.
        QDBusConnection bus = QDBusConnection::connectToBus(desktop.busAddress(), desktop.busAddress());
        QDBusMessage reply;
        DesktopSession::waitUntil([&] {
            QDBusMessage call = QDBusMessage::createMethodCall(
                QStringLiteral("org.mpris.MediaPlayer2.sonorail"), QStringLiteral("/org/mpris/MediaPlayer2"),
                QString::fromLatin1(method == std::string("Get") ? "org.freedesktop.DBus.Properties"
                                                                 : "org.mpris.MediaPlayer2.Player"),
                QString::fromLatin1(method));
            call.setArguments(arguments);
            reply = bus.call(call, QDBus::Block, 5000);
            return reply.type() == QDBusMessage::ReplyMessage;
        });
        return reply;
    }

    bool canSeek()
    {
        const QDBusMessage reply =
            callPlayer("Get", {QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("CanSeek")});
        return !reply.arguments().isEmpty() && reply.arguments().front().value<QDBusVariant>().variant().toBool();
    }

    // Where the window lies in the stack, from the bottom (-1: not there).
    int stackPlace(unsigned long window)
    {
        const std::vector<ManagedWindow> stack = desktop.stackedWindows();
        const auto found = std::ranges::find(stack, window, &ManagedWindow::id);
        return found == stack.end() ? -1 : static_cast<int>(found - stack.begin());
    }

    int windowsTitled(const std::string& title)
    {
        const std::vector<ManagedWindow> stack = desktop.stackedWindows();
        return static_cast<int>(std::ranges::count(stack, title, &ManagedWindow::title));
    }

    DesktopSession desktop;
    TempDir home;
    std::optional<ManagedWindow> mainWindow;
};

// The viewer lies over the main window below its menu and toolbar strip, frame to frame,
// cannot be resized, and stays above the main window when the user clicks the main window.
TEST_F(ProgramOnDesktopTest, TheViewerStaysOverTheMainWindow)
{
    home.write("notes.txt", "Some notes\r\n");
    startProgram({QString::fromStdString(home.file("notes.txt"))});
    ASSERT_TRUE(mainWindow) << "no main window";
    callPlayer("Play");
    std::optional<ManagedWindow> viewer = desktop.waitForWindow(kViewerTitle);
    ASSERT_TRUE(viewer) << "no viewer";
    // The window manager frames it a moment after it is mapped.
    DesktopSession::waitUntil(
        [&] {
            viewer = desktop.waitForWindow(kViewerTitle);
            mainWindow = desktop.waitForWindow(kTitle);
            return viewer && mainWindow && viewer->frameLeft == mainWindow->frameLeft &&
                   viewer->frameTop + viewer->frameHeight == mainWindow->frameTop + mainWindow->frameHeight;
        },
        2s);

    EXPECT_EQ(desktop.transientFor(viewer->id), mainWindow->id);
    EXPECT_TRUE(desktop.sizeIsFixed(viewer->id));
    EXPECT_EQ(viewer->frameLeft, mainWindow->frameLeft);
    EXPECT_EQ(viewer->frameWidth, mainWindow->frameWidth);
    EXPECT_EQ(viewer->frameTop + viewer->frameHeight, mainWindow->frameTop + mainWindow->frameHeight);
    EXPECT_GT(viewer->frameTop, mainWindow->clientTop) << "the menu bar stays uncovered";

    // A click on the main window's menu bar, then the menu closed again.
    desktop.clickAt(mainWindow->clientLeft + 12, mainWindow->clientTop + 6);
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return desktop.activeWindow() == mainWindow->id; }, 5s))
        << "the window manager did not take the click";
    desktop.pressKey("Escape");
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return stackPlace(viewer->id) > stackPlace(mainWindow->id); }, 2s))
        << "the main window was raised over the viewer";
    EXPECT_GT(stackPlace(viewer->id), stackPlace(mainWindow->id));
}

// An error box opened while the queue plays does not hold the queue: the wave playing
// when the box opened still ends, and the failure gets one box.
TEST_F(ProgramOnDesktopTest, AnErrorBoxDoesNotStopTheQueue)
{
    home.write("first.wav", test_media::waveFile(600));
    home.write("second.wav", test_media::waveFile(1200));
    startProgram({QString::fromStdString(home.file("first.wav")), QString::fromStdString(home.file("second.wav")),
                  QString::fromStdString(home.file("d.txt"))});
    ASSERT_TRUE(mainWindow) << "no main window";
    callPlayer("Play");
    // The second wave starts, and showing the missing text ahead of it fails.
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return windowsTitled(kTitle) == 2; })) << "no error box";
    EXPECT_TRUE(canSeek()) << "the second wave plays";
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return !canSeek(); }, 10s))
        << "the second wave never ended while the box was open";
    EXPECT_EQ(windowsTitled(kTitle), 2) << "one box for the failure";
}

}  // namespace
