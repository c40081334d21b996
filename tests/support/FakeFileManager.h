#pragma once
// Doubles for the file-manager commands: a main window whose file list reads a real
// directory, and dialogs that answer from a script.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/base/InformationBar.h"
#include "core/files/DirectoryListing.h"
#include "core/files/FileManagerViews.h"
#include "core/files/FileMask.h"

struct FakeList final : SourceList {
    std::vector<std::string> rows;
    std::set<int> selected;
    int current = -1;

    int rowCount() const override { return static_cast<int>(rows.size()); }
    std::string row(int index) const override { return rows.at(static_cast<std::size_t>(index)); }
    bool isSelected(int index) const override { return selected.count(index) > 0; }
    int currentRow() const override { return current; }

    // Selects the rows with these texts; the last one gets the focus mark.
    void select(const std::vector<std::string>& texts)
    {
        for (const std::string& text : texts) {
            const auto found = std::find(rows.begin(), rows.end(), text);
            if (found != rows.end())
                selected.insert(current = static_cast<int>(found - rows.begin()));
        }
    }
};

// The main window with its information bar.
struct FakeFileManagerWindow final : FileManagerWindow, InformationBar {
    explicit FakeFileManagerWindow(std::string directory) : directory(std::move(directory)) { refreshFileList(); }

    bool cdTab = false;
    std::string directory;
    FakeList files;
    FakeList cd;
    int refreshes = -1;  // not counting the first read
    int stores = 0;
    std::vector<std::string> storedRows;  // the CD list at the last store
    std::vector<std::string> infos;
    std::optional<std::string> fileInfo;
    FileInfoFormats formats = PlainFileInfoFormats();

    bool cdTabShowing() const override { return cdTab; }
    const SourceList& fileList() const override { return files; }
    std::string fileListDirectory() const override { return directory; }
    void refreshFileList() override
    {
        files.rows = ListFiles(directory, FileMask("*"));
        files.selected.clear();
        files.current = -1;
        ++refreshes;
    }
    const SourceList& cdList() const override { return cd; }
    void replaceCdRow(int index, const std::string& entry) override
    {
        cd.rows.at(static_cast<std::size_t>(index)) = entry;
    }
    // What the session's CD mode does when a rename stores the disc.
    void StoreCDInfo()
    {
        ++stores;
        storedRows = cd.rows;
    }
    void showInfo(const std::string& text) override { infos.push_back(text); }
    void showFileInfo(const std::string& text) override { fileInfo = text; }
    FileInfoFormats fileInfoFormats() const override { return formats; }

    std::string lastInfo() const { return infos.empty() ? std::string() : infos.back(); }
};

struct ScriptedProgress final : TransferProgress {
    std::vector<std::string> files;
    std::uint64_t lastCopied = 0;
    int advances = 0;
    int cancelAfter = -1;  // advances until the user presses Cancel; -1: never
    int finishes = 0;

    void startFile(const std::string& name, bool) override { files.push_back(name); }
    bool advance(std::uint64_t copied, std::uint64_t) override
    {
        lastCopied = copied;
        return ++advances != cancelAfter;
    }
    void finish() override { ++finishes; }
};

struct ScriptedFileDialogs final : FileManagerDialogs {
    // A directory the chooser is left on with OK; nothing: Cancel.
    std::deque<std::optional<std::string>> directories;
    // What the user does in the rename dialog each time: a name typed and OK, or one of these.
    struct RenameStep {
        enum Kind { Ok, Cancel, CancelAll, CloseBox } kind = Ok;
        std::string typed;
    };
    std::deque<RenameStep> renames;
    ScriptedProgress progress;

    int chooserShown = 0;
    std::vector<std::string> prompts;
    std::vector<std::string> renameFroms;  // renameFrom each time the rename dialog shows
    std::vector<std::string> renameNotes;

    void showDirectoryChooser(FileManagerTexts& texts) override
    {
        ++chooserShown;
        prompts.push_back(texts.directoryPrompt);
        texts.directoryChooserActivated();
        if (!directories.empty()) {
            if (directories.front())
                texts.directoryChosen(*directories.front());
            directories.pop_front();
        }
    }
    void showRenameDialog(FileManagerTexts& texts) override
    {
        renameFroms.push_back(texts.renameFrom);
        renameNotes.push_back(texts.renameNote);
        const RenameStep step = renames.empty() ? RenameStep{RenameStep::Cancel, {}} : renames.front();
        if (!renames.empty())
            renames.pop_front();
        switch (step.kind) {
            case RenameStep::Ok:
                texts.renameAccepted(step.typed);
                break;
            case RenameStep::Cancel:
                texts.renameCancelled();
                break;
            case RenameStep::CancelAll:
                texts.renameCancelledAll();
                break;
            case RenameStep::CloseBox:
                break;
        }
    }
    TransferProgress& transferProgress() override { return progress; }

    static RenameStep typed(std::string name) { return {RenameStep::Ok, std::move(name)}; }
};
