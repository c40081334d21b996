#include "core/base/DialogSeam.h"

const char* const kApplicationTitle = "Sonorail V3.0-Win95 Beta2";

namespace {

// Used until the program installs its own seam: never blocks, never shows anything,
// and answers the cautious way (No), so nothing is removed or overwritten.
class SilentDialogs final : public DialogSeam {
public:
    DialogAnswer ask(DialogKind, const std::string&, const std::string&, DialogButtons buttons) override
    {
        return buttons == DialogButtons::Ok ? DialogAnswer::Ok : DialogAnswer::No;
    }
};

SilentDialogs silentDialogs;
DialogSeam* installedSeam = &silentDialogs;

}  // namespace

std::optional<FileDialogChoice> DialogSeam::chooseFile(const FileDialogRequest&) { return std::nullopt; }

DialogSeam& DialogSeam::current() { return *installedSeam; }

void DialogSeam::install(DialogSeam* seam) { installedSeam = seam ? seam : &silentDialogs; }

void ShowErrorBox(const std::string& message)
{
    DialogSeam::current().ask(DialogKind::Error, kApplicationTitle, message + ".", DialogButtons::Ok);
}
