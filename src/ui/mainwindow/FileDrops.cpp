#include "ui/mainwindow/FileDrops.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "core/base/GuardedCall.h"
#include "core/session/Jukebox.h"
#include "ui/files/LocalFileUrl.h"

namespace {

// Local files of a drop in the drop's order, as the file system spells them; other URLs
// (web addresses, trash) are skipped.
std::vector<std::string> droppedPaths(const QMimeData& data)
{
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls()) {
        if (std::optional<std::string> path = LocalFileBytes(url))
            paths.push_back(std::move(*path));
    }
    return paths;
}

}  // namespace

FileDrops::FileDrops(Jukebox& session) : session(session) {}

bool FileDrops::isDragEvent(QEvent::Type type)
{
    return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::DragLeave || type == QEvent::Drop;
}

bool FileDrops::accepts(const QMimeData& data) const
{
    return session.settings().optDragDrop && !droppedPaths(data).empty();
}

void FileDrops::enter(QDragEnterEvent* event) const
{
    if (accepts(*event->mimeData()))
        event->acceptProposedAction();
}

void FileDrops::drop(QDropEvent* event) const
{
    event->acceptProposedAction();
    const std::vector<std::string> paths = droppedPaths(*event->mimeData());
    GuardedCall([&] {
        QueueEditing& editing = session.queueEditing();
        editing.AddDroppedFiles(paths, editing.addsToTop());
    });
}

bool FileDrops::onControl(QEvent* event) const
{
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            drag->ignore();
            if (accepts(*drag->mimeData()))
                drag->acceptProposedAction();
            break;
        }
        case QEvent::Drop:
            drop(static_cast<QDropEvent*>(event));
            break;
        default:
            break;
    }
    return true;
}
