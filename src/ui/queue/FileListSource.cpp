#include "ui/queue/FileListSource.h"

#include "core/base/WithTrailingBackslash.h"
#include "ui/files/FileBrowser.h"

FileListSource::FileListSource(const FileBrowser& browser)
    : browser(browser), directory(WithTrailingBackslash(browser.directory()))
{
}

int FileListSource::rowCount() const { return browser.rowCount(); }

bool FileListSource::rowSelected(int row) const { return browser.isSelected(row); }

QueueEntry FileListSource::entryFor(int row) const
{
    const std::string name = browser.name(row);
    return {directory + name, name};
}
