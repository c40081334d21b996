#pragma once
// Files from the command line, a second copy or the desktop's "Open with": added to the queue
// as dropped files are (at the top while "Add to Top" is checked), but never under an open
// question or dialog; they wait for it to close.
#include <QObject>
#include <string>
#include <vector>

class QueueEditing;

class FileHandOver : public QObject {
    Q_OBJECT
public:
    explicit FileHandOver(QueueEditing& editing, QObject* parent = nullptr);

    void handOverFiles(const std::vector<std::string>& paths);

private:
    void addPendingFiles();

    QueueEditing& editing;
    std::vector<std::string> pendingFiles;
    bool pendingRetry = false;
};
