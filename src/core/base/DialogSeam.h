#pragma once
// Every question and message box of the program goes through this seam. Production
// installs a QMessageBox implementation; tests install one that answers from a script.
#include <optional>
#include <string>
#include <vector>

enum class DialogKind { Information, Warning, Error };
enum class DialogButtons { Ok, YesNo, YesNoAll };
enum class DialogAnswer { Ok, Yes, No, All };

// One entry of a file dialog's type list: its caption ("Album Files (*.ALB)"), the
// patterns it matches (without regard to case) and the extension the caller gives a name
// chosen without one while this type is selected.
struct FileDialogFilter {
    std::string caption;
    std::vector<std::string> patterns;
    std::string defaultExtension;
};

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    std::vector<FileDialogFilter> filters;
    // Offered as the file name; the dialog starts in its folder (else the current one).
    std::string initialFile;
};

struct FileDialogChoice {
    std::string path;  // the file system's bytes
    int filter = 0;    // index of the type selected when the user confirmed
};

class DialogSeam {
public:
    virtual ~DialogSeam() = default;
    virtual DialogAnswer ask(DialogKind kind, const std::string& caption, const std::string& text,
                             DialogButtons buttons) = 0;
    // A modal file-open or file-save dialog; nothing when the user cancels. The name comes
    // back as chosen (the caller adds a missing extension); a save dialog asks before
    // replacing an existing file of that name.
    virtual std::optional<FileDialogChoice> chooseFile(const FileDialogRequest& request);

    // The seam in use; the program installs its own at start-up.
    static DialogSeam& current();
    // Installs a seam (nullptr restores the default, which answers No/Ok and cancels file
    // dialogs without showing anything).
    static void install(DialogSeam* seam);
};

// Shows an error the way every entry point does: error icon, the application title as
// caption, the text followed by ".".
void ShowErrorBox(const std::string& message);

extern const char* const kApplicationTitle;  // "Sonorail V3.0-Win95 Beta2"
