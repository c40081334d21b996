#pragma once
// The text of the error an operation raises, for tests that check what the user would read.
#include <string>

#include "core/base/SonorailError.h"

// The text of the SonorailError that action throws, or "" when it throws none.
template <typename Action>
std::string errorOf(Action action)
{
    try {
        action();
    } catch (const SonorailError& error) {
        return error.what();
    }
    return "";
}
