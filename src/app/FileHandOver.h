#pragma once
// Files from the command line, a second copy or the desktop's "Open with": added to the queue
// as dropped files are (at the top while "Add to Top" is checked), but never under an open
// question or dialog; they wait for it to close.
#include <QObject>
#include <string>
#include <vector>

class QAbstractButton;
class QueueEditing;

class FileHandOver : public QObject {
    Q_OBJECT
public:
    FileHandOver(QueueEditing& editing, const QAbstractButton& addToTop, QObject* parent = nullptr);

    void HandOverFiles(const std::vector<std::string>& paths);

private:
    void addPendingFiles();

    QueueEditing& editing;
    const QAbstractButton& addToTop;
    std::vector<std::string> pendingFiles;
    bool pendingRetry = false;
};
