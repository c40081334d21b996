#pragma once
// The adapter around every event handler, timer tick and D-Bus call: Qt does not let
// exceptions travel through signal and slot calls, so an error ends the handler here
// and is shown in the one error box.
#include <exception>
#include <new>
#include <string>
#include <utility>

#include "core/base/DialogSeam.h"
#include "core/base/SonorailError.h"

// Runs action; when it ends with an error, hands the error's text to report and returns
// false. For entry points that cannot show a box at once (a timer tick) or at all (the
// program ending while nobody can answer).
template <class Action, class Report>
bool GuardedCall(Action&& action, Report&& report)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const SonorailError& error) {
        report(std::string(error.what()));
    } catch (const std::bad_alloc&) {
        report(std::string("Out of memory"));
    } catch (const std::exception& error) {
        report(std::string(error.what()));
    }
    return false;
}

// Runs action; returns false when it ended with an error (already shown).
template <class Action>
bool GuardedCall(Action&& action)
{
    return GuardedCall(std::forward<Action>(action), [](const std::string& message) { ShowErrorBox(message); });
}
