#pragma once
// What the file-manager commands need of the main window: the two lists they work on (the
// file list and the CD track list), which of them shows, and the file-information line.
#include <string>

#include "core/files/FileInfoText.h"

// One of the lists, as the commands read it. Rows are the file system's bytes for files and
// the entry texts ("03:Intro.cdt") for CD tracks.
class SourceList {
public:
    virtual ~SourceList() = default;
    virtual int rowCount() const = 0;
    virtual std::string row(int index) const = 0;
    virtual bool isSelected(int index) const = 0;
    // The row holding the focus mark (normally the one clicked or moved to last); -1: none.
    virtual int currentRow() const = 0;

    static const SourceList& empty()
    {
        struct Empty final : SourceList {
            int rowCount() const override { return 0; }
            std::string row(int) const override { return {}; }
            bool isSelected(int) const override { return false; }
            int currentRow() const override { return -1; }
        };
        static const Empty none;
        return none;
    }
};

class FileManagerWindow {
public:
    virtual ~FileManagerWindow() = default;

    // The source tab stands on "CD-Audio" (not on "Files").
    virtual bool cdTabShowing() const = 0;

    virtual const SourceList& fileList() const = 0;
    // The file list's directory, a full path.
    virtual std::string fileListDirectory() const = 0;
    // Reads the file list again (same directory, same mask); its selection is cleared.
    virtual void refreshFileList() = 0;

    virtual const SourceList& cdList() const = 0;
    virtual void replaceCdRow(int index, const std::string& entry) = 0;

    // The file-information line, and how it writes sizes, dates and times (the locale's way).
    virtual void showFileInfo(const std::string& text) = 0;
    virtual FileInfoFormats fileInfoFormats() const = 0;

    // No window: both lists empty, so every command finds nothing to work on.
    static FileManagerWindow& none()
    {
        struct Nowhere final : FileManagerWindow {
            bool cdTabShowing() const override { return false; }
            const SourceList& fileList() const override { return SourceList::empty(); }
            std::string fileListDirectory() const override { return {}; }
            void refreshFileList() override {}
            const SourceList& cdList() const override { return SourceList::empty(); }
            void replaceCdRow(int, const std::string&) override {}
            void showFileInfo(const std::string&) override {}
            FileInfoFormats fileInfoFormats() const override { return PlainFileInfoFormats(); }
        };
        static Nowhere nowhere;
        return nowhere;
    }
};
