#pragma once
// The texts the file-manager commands share with their two dialogs: the commands write what
// a dialog shows, the dialog writes back what the user chose.
#include <string>
#include <string_view>
#include <utility>

// chosenDirectory when the directory chooser was left without OK.
inline constexpr std::string_view kNoDirectoryChosen = "null";
// renameTo after the rename dialog's Cancel and "Cancel All".
inline constexpr std::string_view kRenameCancelled = "(cancel)";
inline constexpr std::string_view kRenameCancelledAll = "(cancel all)";

struct FileManagerTexts {
    std::string directoryPrompt;  // the directory chooser's caption
    std::string chosenDirectory{kNoDirectoryChosen};
    std::string renameFrom;  // a file's full path, or a CD track's name
    std::string renameTo;    // proposed new name on the way in; the accepted one on the way out
    std::string renameNote;  // beside "From:": empty for files, "Track #n" for CD tracks

    // The directory chooser's handlers.
    void directoryChooserActivated() { chosenDirectory = kNoDirectoryChosen; }
    void directoryChosen(std::string directory) { chosenDirectory = std::move(directory); }
    bool directoryWasChosen() const { return chosenDirectory != kNoDirectoryChosen; }

    // The rename dialog's handlers: OK with the text typed over the readable names shown (a
    // name typed without an extension gets the old name's), Cancel and "Cancel All".
    void renameAccepted(std::string_view typed);
    void renameCancelled() { renameTo = kRenameCancelled; }
    void renameCancelledAll() { renameTo = kRenameCancelledAll; }
};
