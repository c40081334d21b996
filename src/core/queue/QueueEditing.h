#pragma once
// The editing operations of the play queue: adding from the file or CD list, dropped
// files, removing, moving, and the small questions other parts ask of the queue.
#include <string>
#include <vector>

#include "core/base/InformationBar.h"
#include "core/queue/PlayQueue.h"
#include "core/queue/QueueWindow.h"
#include "core/settings/Settings.h"

// The window around the queue and the information bar, as the session points them at the
// main window once it exists (until then, no window).
struct QueueViews {
    QueueWindow* window = &QueueWindow::none();
    InformationBar* infoBar = &InformationBar::none();
};

// The rows entries are added from: the file list or the CD track list.
class QueueSource {
public:
    virtual ~QueueSource() = default;
    virtual int rowCount() const = 0;
    virtual bool rowSelected(int row) const = 0;
    virtual QueueEntry entryFor(int row) const = 0;
};

extern const char* const kQueueEmptyText;
extern const char* const kRemoveNeedsSelectionText;
extern const char* const kMoveNeedsSelectionText;
extern const char* const kConfirmRemoveSelectedText;
extern const char* const kConfirmRemoveAllText;
extern const char* const kUnqueueableNameText;

class QueueEditing {
public:
    QueueEditing(PlayQueue& queue, const Settings& settings, const QueueViews& views);

    // Adds the selected rows of source (or all of them) at the end, or above the old
    // entries in the source's order when addToTop, leaving out those ValidateQueue would drop.
    // A name holding a line break or a byte 0 is left out with a word in the information bar.
    void AddToQueue(const QueueSource& source, bool all, bool addToTop);
    // Dropped or handed-over files, in their order, at the top or the bottom, as AddToQueue
    // adds rows.
    void AddFiles(const std::vector<std::string>& paths, bool addToTop);
    // A drop from the file manager: refused while drops are off (the queue is validated anyway).
    void AddDroppedFiles(const std::vector<std::string>& paths, bool addToTop);

    // "Add to Top": whether files added by the windows and handed over by other programs go
    // above the old entries. The main window's check box mirrors it; off at start.
    bool addsToTop() const { return addingToTop; }
    void setAddToTop(bool on) { addingToTop = on; }

    // True when the removal was carried out or the queue was already empty.
    bool RemoveFromQueue(bool all);
    void MoveQueueItemsUp();
    void MoveQueueItemsDown();

    bool QueueIsEmpty(bool report);
    bool QueueHasSelection() const;
    bool QueueRowSelected(int row) const;
    void ResetPlayedMarks(int& playedCount);
    // Drops the entries of no known kind, and those that can name no file: longer than any
    // path, or holding a line break or a byte 0 (which no album line can hold either).
    void ValidateQueue();

private:
    static bool mayStandInQueue(const std::string& text);
    void addEntries(std::vector<QueueEntry> added, bool addToTop);
    QueueList selectionList() const;
    bool refuseEmptyOrUnselected(const char* needsSelectionText);
    void selectInBoth(int row);

    PlayQueue& queue;
    const Settings& settings;
    const QueueViews& views;
    bool addingToTop = false;
};
