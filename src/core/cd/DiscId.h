#pragma once
// The identifier a disc's names are stored under: its total length in milliseconds plus its
// number of tracks modulo 256. Two discs of equal length and track count share it (and so
// their stored names); records already written rely on exactly this value.
#include <cstdint>

inline std::int32_t DiscIdOf(long totalLengthMilliseconds, int numberOfTracks)
{
    // Worked out without sign, so that a length past 2^31 ms wraps as the stored 32 bits do
    // instead of overflowing.
    const auto sum =
        static_cast<std::uint32_t>(totalLengthMilliseconds) + static_cast<std::uint32_t>(numberOfTracks % 256);
    return static_cast<std::int32_t>(sum);
}
