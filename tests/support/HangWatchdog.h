#pragma once
// For tests of steps that once hung (an open of a named pipe waits for a writer for ever):
// while a watchdog lives, a step that takes longer than its limit ends the test process with
// a message, so that a regression fails the suite instead of stopping it.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

class HangWatchdog {
public:
    explicit HangWatchdog(std::string what, std::chrono::seconds limit = std::chrono::seconds(10))
        : watcher([this, what = std::move(what), limit] {
              std::unique_lock lock(mutex);
              if (!done.wait_for(lock, limit, [this] { return finished; })) {
                  std::fprintf(stderr, "HANG: %s did not return within %lld s\n", what.c_str(),
                               static_cast<long long>(limit.count()));
                  std::fflush(stderr);
                  std::_Exit(EXIT_FAILURE);
              }
          })
    {
    }
    ~HangWatchdog()
    {
        {
            const std::lock_guard lock(mutex);
            finished = true;
        }
        done.notify_one();
        watcher.join();
    }
    HangWatchdog(const HangWatchdog&) = delete;
    HangWatchdog& operator=(const HangWatchdog&) = delete;

private:
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::thread watcher;  // last: starts once the rest is made
};
