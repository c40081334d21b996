#pragma once
// The production dialog seam: modal QMessageBox and QFileDialog over the active window.
#include "core/base/DialogSeam.h"

class MessageBoxDialogs final : public DialogSeam {
public:
    DialogAnswer ask(DialogKind kind, const std::string& caption, const std::string& text,
                     DialogButtons buttons) override;
    std::optional<FileDialogChoice> chooseFile(const FileDialogRequest& request) override;
};
