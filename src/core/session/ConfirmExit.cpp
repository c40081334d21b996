#include "core/session/ConfirmExit.h"

#include "core/base/DialogSeam.h"

const char* const kExitQuestion = "Multimedia is currently being played.  Are you sure you want to exit?";

bool ConfirmExit(const Settings& settings, ExitActions& actions, bool mayAsk)
{
    if (mayAsk && settings.optPromptOnExitWhenMultimediaActive && actions.multimediaPlaying()) {
        DialogAnswer answer = DialogSeam::current().ask(DialogKind::Information, kApplicationTitle, kExitQuestion,
                                                        DialogButtons::YesNo);
        if (answer != DialogAnswer::Yes)
            return false;
    }
    actions.stopPlayback();
    actions.saveDefaultAlbum(mayAsk);
    return true;
}
