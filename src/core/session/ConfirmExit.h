#pragma once
// The one exit check every way out of a run passes through.
#include "core/settings/Settings.h"

// What the exit check needs from the rest of the program.
class ExitActions {
public:
    virtual ~ExitActions() = default;
    virtual bool multimediaPlaying() const = 0;
    // Stops and closes whatever plays and hides the viewer.
    virtual void stopPlayback() = 0;
    // Saves the queue as the default album as the settings say; mayAsk false when no one
    // can answer a question (the session is ending, SIGTERM).
    virtual void saveDefaultAlbum(bool mayAsk) = 0;
};

extern const char* const kExitQuestion;

// The exit question alone: asked while something plays and the settings want it. True
// unless the user chose to stay; nothing is stopped or saved.
bool ExitQuestionAllows(const Settings& settings, const ExitActions& actions);

// True when the program may end, after stopping playback and saving the default album;
// false when the user chose to stay. An error raised on the way (the default album cannot
// be written) travels to the caller, so the program stays open.
bool ConfirmExit(const Settings& settings, ExitActions& actions, bool mayAsk = true);
