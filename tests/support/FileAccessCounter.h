#pragma once
// Counts how often a file, or a directory itself, is opened and replaced while the counter
// watches, through inotify: what a test sees of how often the program reads or writes it.
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <string>

class FileAccessCounter {
public:
    // The file called name in directory; with no name, the directory itself.
    explicit FileAccessCounter(const std::filesystem::path& directory, std::string name = {})
        : fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), name(std::move(name))
    {
        // Closings too: the kernel merges only events that follow each other unchanged.
        inotify_add_watch(fd, directory.c_str(), IN_OPEN | IN_CLOSE_NOWRITE | IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~FileAccessCounter() { close(fd); }
    FileAccessCounter(const FileAccessCounter&) = delete;
    FileAccessCounter& operator=(const FileAccessCounter&) = delete;

    struct Counts {
        int opened = 0;
        int replaced = 0;  // written elsewhere and renamed into place
    };
    // What happened since the last call.
    Counts take()
    {
        alignas(inotify_event) char buffer[64 * 1024];
        Counts counts;
        for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                const bool ours = name.empty() ? event->len == 0 : event->len > 0 && name == event->name;
                if (ours) {
                    counts.opened += (event->mask & IN_OPEN) ? 1 : 0;
                    counts.replaced += (event->mask & IN_MOVED_TO) ? 1 : 0;
                }
                at += sizeof(inotify_event) + event->len;
            }
        }
        return counts;
    }

private:
    int fd;
    std::string name;
};
