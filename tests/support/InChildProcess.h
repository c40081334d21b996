#pragma once
// Runs a piece of a test in a forked child process: to die there (killed half-way through
// a write), to be refused what this process may do (a system call filtered out), or to run
// as an ordinary user. The tests' CI runs as root, whom permission bits do not stop; a
// file the user may not write is only refused to someone else, so the child can drop root
// for "nobody" (65534). The piece hands back a text. Only for single-threaded test
// programs (the core tests).
#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace in_child {

inline constexpr uid_t kOrdinaryUser = 65534;
inline constexpr int kCannotSwitch = 77;

// Makes path and everything under it the ordinary user's (nothing to do when the tests
// run as an ordinary user already).
inline void giveToOrdinaryUser(const std::filesystem::path& path)
{
    if (::geteuid() != 0)
        return;
    ::lchown(path.c_str(), kOrdinaryUser, kOrdinaryUser);
    if (std::filesystem::is_directory(path) && !std::filesystem::is_symlink(path)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
            ::lchown(entry.path().c_str(), kOrdinaryUser, kOrdinaryUser);
    }
}

enum class As { ThisUser, OrdinaryUser };

struct Outcome {
    std::string text;  // what the action returned (an exception's what() when it threw)
    int signal = 0;    // the signal that ended the child, if one did
};

// The outcome of action in a child process; nullopt when the child cannot become the
// ordinary user on this system.
inline std::optional<Outcome> run(const std::function<std::string()>& action, As user = As::ThisUser)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (user == As::OrdinaryUser && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setresgid(kOrdinaryUser, kOrdinaryUser, kOrdinaryUser) != 0 ||
             ::setresuid(kOrdinaryUser, kOrdinaryUser, kOrdinaryUser) != 0))
            ::_exit(kCannotSwitch);
        std::string text;
        try {
            text = action();
        } catch (const std::exception& error) {
            text = error.what();
        }
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t written = ::write(channel[1], text.data() + done, text.size() - done);
            if (written <= 0)
                ::_exit(1);
            done += static_cast<std::size_t>(written);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    Outcome outcome;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        outcome.text.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return Outcome{"(no child process)", 0};
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotSwitch)
        return std::nullopt;
    if (WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    else if (WEXITSTATUS(status) != 0)
        outcome.text = "(the child process failed)";
    return outcome;
}

// The id of a process that has ended (and been reaped): what a writer killed earlier
// leaves in the names of its files.
inline pid_t endedProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

}  // namespace in_child
