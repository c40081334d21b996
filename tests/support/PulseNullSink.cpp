#include "support/PulseNullSink.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

constexpr const char* kServerProgram = "/usr/bin/pulseaudio";
constexpr const char* kClientProgram = "/usr/bin/pactl";
constexpr const char* kSinkName = "sonorail_null";

// Spawns program with arguments and the environment given, its output to logPath; -1 when
// it could not start.
pid_t spawn(const std::string& program, std::vector<std::string> arguments, char** environment,
            const std::string& logPath)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    pid_t child = -1;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environment) != 0)
        child = -1;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

void endChild(pid_t& child)
{
    if (child <= 0)
        return;
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    child = -1;
}

bool takesConnections(const std::string& socketPath)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

}  // namespace

std::string PulseNullSink::missingPrograms()
{
    std::string missing;
    if (access(kServerProgram, X_OK) != 0)
        missing += "pulseaudio ";
    if (access(kClientProgram, X_OK) != 0)
        missing += "pactl (pulseaudio-utils) ";
    return missing;
}

PulseNullSink::~PulseNullSink() { endChild(server); }

std::string PulseNullSink::serverAddress() const { return "unix:" + home->file("native"); }

// The server gets a home, runtime and state directory of its own and no session bus (with
// one it would try to register, and dbus-x11 would start a bus for it); as root it warns
// that it is meant for a system server, and runs.
bool PulseNullSink::start()
{
    home = std::make_unique<TempDir>();
    std::filesystem::create_directories(home->path() / "runtime");
    home->write("cookie", std::string(256, '\0'));
    std::vector<std::string> environment = {
        "HOME=" + home->path().string(),           "XDG_RUNTIME_DIR=" + home->file("runtime"),
        "XDG_CONFIG_HOME=" + home->file("config"), "PULSE_RUNTIME_PATH=" + home->file("runtime"),
        "PULSE_STATE_PATH=" + home->file("state"), "PULSE_COOKIE=" + home->file("cookie"),
        "DBUS_SESSION_BUS_ADDRESS=disabled:",      "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    server = spawn(kServerProgram,
                   {"-n", "--daemonize=no", "--system=false", "--use-pid-file=no", "--exit-idle-time=-1",
                    "--disallow-exit", "--realtime=no", "--high-priority=no", "--log-target=stderr", "-L",
                    std::string("module-null-sink sink_name=") + kSinkName, "-L",
                    "module-native-protocol-unix auth-anonymous=1 socket=" + home->file("native")},
                   envp.data(), home->file("server.log"));
    if (server <= 0) {
        failure = "cannot start pulseaudio";
        return false;
    }
    return waitForSocket();
}

bool PulseNullSink::waitForSocket()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!takesConnections(home->file("native"))) {
        if (waitpid(server, nullptr, WNOHANG) == server) {
            server = -1;
            failure = "pulseaudio ended at its start: " + home->read("server.log");
            return false;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            failure = "pulseaudio took no connections in 20 s: " + home->read("server.log");
            return false;
        }
        usleep(20'000);
    }
    return true;
}

void PulseNullSink::directClientsHere() const
{
    setenv("PULSE_SERVER", serverAddress().c_str(), 1);
    setenv("PULSE_COOKIE", home->file("cookie").c_str(), 1);  // never the user's own
    setenv("PULSE_SINK", kSinkName, 1);
}

int PulseNullSink::playingStreams() const
{
    const std::string command =
        std::string(kClientProgram) + " --server=" + serverAddress() + " list short sink-inputs";
    FILE* listing = popen(command.c_str(), "r");
    if (listing == nullptr)
        return 0;
    int streams = 0;
    for (int c = 0; (c = std::fgetc(listing)) != EOF;)
        streams += c == '\n' ? 1 : 0;
    pclose(listing);
    return streams;
}
