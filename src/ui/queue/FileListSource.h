#pragma once
// The file list as a source of queue entries: the directory joined with each name.
#include <string>

#include "core/queue/QueueEditing.h"

class FileBrowser;

class FileListSource final : public QueueSource {
public:
    explicit FileListSource(const FileBrowser& browser);
    int rowCount() const override;
    bool rowSelected(int row) const override;
    QueueEntry entryFor(int row) const override;

private:
    const FileBrowser& browser;
    std::string directory;
};
