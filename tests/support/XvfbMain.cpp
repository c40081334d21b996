// Entry of the tests that need a real X server: a private Xvfb, started before the
// QApplication (on the xcb platform) and ended after it. Without Xvfb the tests skip.
// Listing the tests starts nothing.
#include <QApplication>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

extern char** environ;

namespace {

bool xvfbRunning = false;

class XvfbEnvironment final : public ::testing::Environment {
public:
    XvfbEnvironment(int& argc, char** argv) : argc(argc), argv(argv) {}

    void SetUp() override
    {
        std::string program = "/usr/bin/Xvfb";
        if (!std::filesystem::exists(program))
            return;
        const std::string display = startServer(program);
        if (display.empty())
            return;
        qputenv("DISPLAY", display.c_str());
        qputenv("QT_QPA_PLATFORM", "xcb");
        app = std::make_unique<QApplication>(argc, argv);
        xvfbRunning = true;
    }

    void TearDown() override
    {
        app.reset();
        if (server > 0) {
            kill(server, SIGTERM);
            waitpid(server, nullptr, 0);
        }
    }

private:
    // The server picks a free display itself and names it once it takes connections, so
    // suites running side by side never meet.
    std::string startServer(std::string& program)
    {
        int ends[2];
        if (pipe(ends) != 0)
            return {};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, ends[0]);
        posix_spawn_file_actions_adddup2(&actions, ends[1], 3);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::string displayFd = "3";
        std::string screen = "1024x768x24";
        char* arguments[] = {program.data(),
                             const_cast<char*>("-displayfd"),
                             displayFd.data(),
                             const_cast<char*>("-screen"),
                             const_cast<char*>("0"),
                             screen.data(),
                             const_cast<char*>("-nolisten"),
                             const_cast<char*>("tcp"),
                             nullptr};
        const bool started = posix_spawn(&server, program.c_str(), &actions, nullptr, arguments, environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        close(ends[1]);
        std::string number;
        char digit = 0;
        while (started && read(ends[0], &digit, 1) == 1 && digit != '\n')
            number += digit;
        close(ends[0]);
        return number.empty() ? std::string() : ":" + number;
    }

    int& argc;
    char** argv;
    pid_t server = -1;
    std::unique_ptr<QApplication> app;
};

}  // namespace

bool XvfbStarted() { return xvfbRunning; }

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new XvfbEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
