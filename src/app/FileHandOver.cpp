#include "app/FileHandOver.h"

#include <QApplication>
#include <QTimer>

#include "core/base/GuardedCall.h"
#include "core/queue/QueueEditing.h"

FileHandOver::FileHandOver(QueueEditing& editing, QObject* parent) : QObject(parent), editing(editing) {}

void FileHandOver::handOverFiles(const std::vector<std::string>& paths)
{
    pendingFiles.insert(pendingFiles.end(), paths.begin(), paths.end());
    addPendingFiles();
}

void FileHandOver::addPendingFiles()
{
    if (pendingFiles.empty())
        return;
    if (QApplication::activeModalWidget()) {
        if (!pendingRetry) {
            pendingRetry = true;
            QTimer::singleShot(250, this, [this] {
                pendingRetry = false;
                GuardedCall([this] { addPendingFiles(); });
            });
        }
        return;
    }
    const std::vector<std::string> paths = std::exchange(pendingFiles, {});
    editing.AddFiles(paths, editing.addsToTop());
}
