#pragma once
// Every question and message box of the program goes through this seam. Production
// installs a QMessageBox implementation; tests install one that answers from a script.
#include <string>

enum class DialogKind { Information, Warning, Error };
enum class DialogButtons { Ok, YesNo, YesNoAll };
enum class DialogAnswer { Ok, Yes, No, All };

class DialogSeam {
public:
    virtual ~DialogSeam() = default;
    virtual DialogAnswer ask(DialogKind kind, const std::string& caption, const std::string& text,
                             DialogButtons buttons) = 0;

    // The seam in use; the program installs its own at start-up.
    static DialogSeam& current();
    // Installs a seam (nullptr restores the default, which answers No/Ok without showing anything).
    static void install(DialogSeam* seam);
};

// Shows an error the way every entry point does: error icon, the application title as
// caption, the text followed by ".".
void ShowErrorBox(const std::string& message);

extern const char* const kApplicationTitle;  // "Sonorail V3.0-Win95 Beta2"
