#pragma once
// The modal dialogs of the file-manager commands, and the progress shown while a copy or a
// move runs. The windows implement them; tests answer them from a script.
#include <cstdint>
#include <string>

#include "core/files/FileManagerTexts.h"

class TransferProgress {
public:
    virtual ~TransferProgress() = default;
    // A file's copy (or move) begins; name is the row as the user reads it.
    virtual void startFile(const std::string& name, bool move) = 0;
    // Bytes of it copied so far of size; false when the user asked to cancel.
    virtual bool advance(std::uint64_t copied, std::uint64_t size) = 0;
    // The command is over (done, cancelled or ended by an error).
    virtual void finish() = 0;
};

class FileManagerDialogs {
public:
    virtual ~FileManagerDialogs() = default;
    // The directory chooser, modal: shows directoryPrompt, sets chosenDirectory.
    virtual void showDirectoryChooser(FileManagerTexts& texts) = 0;
    // The rename dialog, modal: shows renameFrom, renameNote and renameTo, sets renameTo.
    virtual void showRenameDialog(FileManagerTexts& texts) = 0;
    virtual TransferProgress& transferProgress() = 0;

    // No dialogs yet: nothing is chosen and every rename run ends at once.
    static FileManagerDialogs& none()
    {
        struct Nowhere final : FileManagerDialogs, TransferProgress {
            void showDirectoryChooser(FileManagerTexts& texts) override { texts.directoryChooserActivated(); }
            void showRenameDialog(FileManagerTexts& texts) override { texts.renameCancelledAll(); }
            TransferProgress& transferProgress() override { return *this; }
            void startFile(const std::string&, bool) override {}
            bool advance(std::uint64_t, std::uint64_t) override { return true; }
            void finish() override {}
        };
        static Nowhere nowhere;
        return nowhere;
    }
};
