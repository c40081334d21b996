#pragma once
// What the file-manager commands need of the main window: the two lists they work on (the
// file list and the CD track list), which of them shows, and the two lines they write to.
#include <string>

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
    // Stores the disc's information, track names included, in the CD database.
    virtual void StoreCDInfo() = 0;

    // The information bar (refusals and notices) and the file-information line.
    virtual void showInfo(const std::string& text) = 0;
    virtual void showFileInfo(const std::string& text) = 0;
};
