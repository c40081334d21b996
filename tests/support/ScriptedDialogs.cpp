#include "ScriptedDialogs.h"

DialogAnswer ScriptedDialogs::ask(DialogKind kind, const std::string& caption, const std::string& text,
                                  DialogButtons buttons)
{
    shown.push_back({kind, caption, text, buttons});
    if (!answers.empty()) {
        DialogAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == DialogButtons::Ok ? DialogAnswer::Ok : DialogAnswer::No;
}
