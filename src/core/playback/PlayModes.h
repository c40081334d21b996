#pragma once
// The play-mode check boxes as the engine reads them. Checking a mode unchecks the modes
// it cannot stand with; the windows mirror this state in their check boxes.
#include <array>
#include <functional>

enum class PlayMode { Backwards, Random, Continuous, Shuffle, Intro };

class PlayModes {
public:
    bool checked(PlayMode mode) const { return state[index(mode)]; }

    // Checking a box that is already checked changes nothing; checking a new one
    // unchecks the modes it excludes. Unchecking changes nothing else.
    void setChecked(PlayMode mode, bool on);

    // Told of every box whose state changed (the windows update their check boxes).
    std::function<void(PlayMode, bool)> onChanged;

private:
    static std::size_t index(PlayMode mode) { return static_cast<std::size_t>(mode); }
    void assign(PlayMode mode, bool on);

    std::array<bool, 5> state{};
};
