#pragma once
// A dialog seam for tests: answers questions from a queue and records every box shown.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/base/DialogSeam.h"

struct ShownDialog {
    DialogKind kind;
    std::string caption;
    std::string text;
    DialogButtons buttons;
};

class ScriptedDialogs final : public DialogSeam {
public:
    ScriptedDialogs() { DialogSeam::install(this); }
    ~ScriptedDialogs() override { DialogSeam::install(nullptr); }

    // Answers given in order; when none is left a question is answered No and a box Ok.
    std::deque<DialogAnswer> answers;
    std::vector<ShownDialog> shown;
    // Runs while a box is open (after it is recorded), as the user would take their time.
    std::function<void(const ShownDialog&)> whileShown;
    // File dialogs: each takes the next choice (nothing = the user cancels).
    std::deque<std::optional<FileDialogChoice>> fileChoices;
    std::vector<FileDialogRequest> fileRequests;

    DialogAnswer ask(DialogKind kind, const std::string& caption, const std::string& text,
                     DialogButtons buttons) override;
    std::optional<FileDialogChoice> chooseFile(const FileDialogRequest& request) override;
};
