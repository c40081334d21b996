#pragma once
// What the back-end tests share: libVLC on its dummy outputs, bounded polling, and the
// text of a SonorailError.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "core/base/SonorailError.h"
#include "support/ErrorOf.h"

namespace media_test {

// How far the time an item played may lie from its length: the machine is shared and busy,
// and starting the next item takes a moment.
inline constexpr double kPlayedLengthTolerance = 150;

// The build machines have neither screen nor sound card; asked for before a back end starts
// libVLC.
inline void useDummyOutputs() { setenv("SONORAIL_HEADLESS_MEDIA", "1", 1); }

// Polls until condition holds, every 20 ms for at most 20 s; false when it never held.
template <typename Condition>
bool eventually(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// True when condition holds at every poll over a few hundred milliseconds.
template <typename Condition>
bool staysTrue(Condition condition)
{
    for (int poll = 0; poll < 25; ++poll) {
        if (!condition())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace media_test
