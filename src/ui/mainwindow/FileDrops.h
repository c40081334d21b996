#pragma once
// Files dragged from a file manager onto the main window join the play queue, at its top
// while "Add to Top" is ticked. The window's rule holds over every control on it too.

#include <QEvent>

class Jukebox;
class QDragEnterEvent;
class QDropEvent;
class QMimeData;

class FileDrops {
public:
    explicit FileDrops(Jukebox& session);

    static bool isDragEvent(QEvent::Type type);

    // Over the window itself: a drag of local files is taken while the setting allows drops.
    void enter(QDragEnterEvent* event) const;
    void drop(QDropEvent* event) const;
    // Over one of the window's controls. Always handled here, as a text field would otherwise
    // take a dropped file as text typed into it, whatever the setting says.
    bool onControl(QEvent* event) const;

private:
    bool accepts(const QMimeData& data) const;

    Jukebox& session;
};
