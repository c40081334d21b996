#pragma once
// A PulseAudio sound server of the tests' own: one null sink (a sound card that plays in
// real time and makes no sound), a private socket and a private directory, so that sound
// goes through a real server on machines without a sound card or a user session, as the
// desktop tests bring their own X server. The server runs as any user, root included, and
// ends with this object.
#include <sys/types.h>

#include <memory>
#include <string>

#include "support/TempDir.h"

class PulseNullSink {
public:
    PulseNullSink() = default;
    ~PulseNullSink();
    PulseNullSink(const PulseNullSink&) = delete;
    PulseNullSink& operator=(const PulseNullSink&) = delete;

    // Empty when the server and its command-line client are installed; else what is missing.
    static std::string missingPrograms();

    // Starts the server and waits until it takes connections; false (with why()) on failure.
    bool start();
    const std::string& why() const { return failure; }

    // Points this process's sound clients (libVLC's PulseAudio output) at the server.
    void directClientsHere() const;
    std::string serverAddress() const;

    // The sound streams that clients are playing into the server now.
    int playingStreams() const;

private:
    bool waitForSocket();

    std::unique_ptr<TempDir> home;
    pid_t server = -1;
    std::string failure;
};
