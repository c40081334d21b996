#pragma once
// The adapter around every event handler, timer tick and D-Bus call: Qt does not let
// exceptions travel through signal and slot calls, so an error ends the handler here
// and is shown in the one error box.
#include <exception>
#include <new>
#include <utility>

#include "core/base/DialogSeam.h"
#include "core/base/SonorailError.h"

// Runs action; returns false when it ended with an error (already shown).
template <class Action>
bool GuardedCall(Action&& action)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const SonorailError& error) {
        ShowErrorBox(error.what());
    } catch (const std::bad_alloc&) {
        ShowErrorBox("Out of memory");
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    }
    return false;
}
