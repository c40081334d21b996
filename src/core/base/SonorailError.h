#pragma once
// The one error type of the program. An operation that meets a failure throws it;
// only the entry points (start-up, ExecuteCommand and GuardedCall around every
// event handler, timer tick and D-Bus call) catch it and show its text in one error box.
#include <stdexcept>
#include <string>

class SonorailError : public std::runtime_error {
public:
    explicit SonorailError(const std::string& message) : std::runtime_error(message) {}
};
