#include "core/session/ConfirmExit.h"

#include "core/base/DialogSeam.h"

const char* const kExitQuestion = "Multimedia is currently being played.  Are you sure you want to exit?";

bool ExitQuestionAllows(const Settings& settings, const ExitActions& actions)
{
    if (!settings.optPromptOnExitWhenMultimediaActive || !actions.multimediaPlaying())
        return true;
    return DialogSeam::current().ask(DialogKind::Information, kApplicationTitle, kExitQuestion, DialogButtons::YesNo) ==
           DialogAnswer::Yes;
}

bool ConfirmExit(const Settings& settings, ExitActions& actions, bool mayAsk)
{
    if (mayAsk && !ExitQuestionAllows(settings, actions))
        return false;
    actions.stopPlayback();
    actions.saveDefaultAlbum(mayAsk);
    return true;
}
