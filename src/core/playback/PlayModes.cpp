#include "core/playback/PlayModes.h"

#include <span>

namespace {

constexpr PlayMode kShuffleExcludes[] = {PlayMode::Backwards, PlayMode::Random, PlayMode::Continuous};
constexpr PlayMode kContinuousExcludes[] = {PlayMode::Shuffle};
constexpr PlayMode kRandomExcludes[] = {PlayMode::Backwards, PlayMode::Shuffle};
constexpr PlayMode kBackwardsExcludes[] = {PlayMode::Random, PlayMode::Shuffle};

// The modes a newly checked mode unchecks.
std::span<const PlayMode> excludedBy(PlayMode mode)
{
    switch (mode) {
        case PlayMode::Shuffle:
            return kShuffleExcludes;
        case PlayMode::Continuous:
            return kContinuousExcludes;
        case PlayMode::Random:
            return kRandomExcludes;
        case PlayMode::Backwards:
            return kBackwardsExcludes;
        case PlayMode::Intro:
            return {};
    }
    return {};
}

}  // namespace

void PlayModes::setChecked(PlayMode mode, bool on)
{
    if (checked(mode) == on)
        return;
    assign(mode, on);
    if (!on)
        return;
    for (PlayMode other : excludedBy(mode))
        assign(other, false);
}

void PlayModes::assign(PlayMode mode, bool on)
{
    if (checked(mode) == on)
        return;
    state[index(mode)] = on;
    if (onChanged)
        onChanged(mode, on);
}
