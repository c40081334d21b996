#include "support/ScriptedDialogs.h"

DialogAnswer ScriptedDialogs::ask(DialogKind kind, const std::string& caption, const std::string& text,
                                  DialogButtons buttons)
{
    shown.push_back({kind, caption, text, buttons});
    if (whileShown)
        whileShown(shown.back());
    if (!answers.empty()) {
        DialogAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == DialogButtons::Ok ? DialogAnswer::Ok : DialogAnswer::No;
}

std::optional<FileDialogChoice> ScriptedDialogs::chooseFile(const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    if (fileChoices.empty())
        return std::nullopt;
    std::optional<FileDialogChoice> choice = fileChoices.front();
    fileChoices.pop_front();
    return choice;
}
