#include "core/queue/QueueEditing.h"

#include <algorithm>
#include <climits>

#include "core/formats/MediaKind.h"
#include "core/base/DialogSeam.h"
#include "core/base/TextLines.h"

const char* const kQueueEmptyText = "There are currently no items in the queue.";
const char* const kRemoveNeedsSelectionText = "To remove individual queue items, you must select at least one first.";
const char* const kMoveNeedsSelectionText = "To move item(s) in the queue, you must select at least one first.";
const char* const kConfirmRemoveSelectedText = "Are you sure you want to remove the selected item(s) from the queue?";
const char* const kConfirmRemoveAllText = "Are you sure you want to remove ALL of the items from the queue?";
const char* const kUnqueueableNameText = "Left out a file name with a line break or a NUL byte in it.";

namespace {

// Longer names cannot name a file here (and a list would have to measure them); the old
// 255-character limit no longer applies.
constexpr std::size_t kLongestPath = PATH_MAX - 1;

}  // namespace

QueueEditing::QueueEditing(PlayQueue& queue, const Settings& settings, const QueueViews& views)
    : queue(queue), settings(settings), views(views)
{
}

void QueueEditing::AddToQueue(const QueueSource& source, bool all, bool addToTop)
{
    std::vector<QueueEntry> added;
    for (int row = 0; row < source.rowCount(); ++row) {
        if (all || source.rowSelected(row))
            added.push_back(source.entryFor(row));
    }
    addEntries(std::move(added), addToTop);
}

void QueueEditing::AddFiles(const std::vector<std::string>& paths, bool addToTop)
{
    std::vector<QueueEntry> added;
    added.reserve(paths.size());
    for (const std::string& path : paths)
        added.push_back({path, QueueShortName(path)});
    addEntries(std::move(added), addToTop);
}

// The rows already in the queue were checked when they came: only the new ones are, so that
// many single additions (one per D-Bus call) cost in proportion to what they add.
void QueueEditing::addEntries(std::vector<QueueEntry> added, bool addToTop)
{
    const bool refused =
        std::ranges::any_of(added, [](const QueueEntry& entry) { return HoldsLineBreakOrNul(entry.text); });
    std::erase_if(added, [](const QueueEntry& entry) { return !mayStandInQueue(entry.text); });
    queue.insert(addToTop ? 0 : queue.count(), std::move(added));
    if (settings.optShowQueueItemsAdded)
        views.window->revealQueue();
    if (refused)
        views.infoBar->showInfo(kUnqueueableNameText);
}

void QueueEditing::AddDroppedFiles(const std::vector<std::string>& paths, bool addToTop)
{
    if (settings.optDragDrop)
        AddFiles(paths, addToTop);
    else
        ValidateQueue();
}

bool QueueEditing::RemoveFromQueue(bool all)
{
    if (QueueIsEmpty(true))
        return true;
    if (!all && !QueueHasSelection()) {
        views.infoBar->showInfo(kRemoveNeedsSelectionText);
        return false;
    }
    if (settings.optConfirmWhenRemovingfromQueue) {
        DialogAnswer answer =
            DialogSeam::current().ask(DialogKind::Warning, kApplicationTitle,
                                      all ? kConfirmRemoveAllText : kConfirmRemoveSelectedText, DialogButtons::YesNo);
        if (answer != DialogAnswer::Yes)
            return false;
    }
    queue.removeIf([&](int row) { return all || QueueRowSelected(row); });
    return true;
}

bool QueueEditing::refuseEmptyOrUnselected(const char* needsSelectionText)
{
    if (QueueIsEmpty(true))
        return true;
    if (!QueueHasSelection()) {
        views.infoBar->showInfo(needsSelectionText);
        return true;
    }
    return false;
}

void QueueEditing::selectInBoth(int row)
{
    queue.setSelected(QueueList::Path, row, true);
    queue.setSelected(QueueList::Name, row, true);
}

// Each selected row changes places with the one above; the test for a row is made after
// the exchanges above it, so a block moves as a block and row 0 never moves.
void QueueEditing::MoveQueueItemsUp()
{
    if (refuseEmptyOrUnselected(kMoveNeedsSelectionText))
        return;
    PlayQueue::Batch batch(queue);
    for (int row = 1; row < queue.count(); ++row) {
        if (!QueueRowSelected(row))
            continue;
        queue.swapRows(row, row - 1);
        selectInBoth(row - 1);
    }
}

void QueueEditing::MoveQueueItemsDown()
{
    if (refuseEmptyOrUnselected(kMoveNeedsSelectionText))
        return;
    PlayQueue::Batch batch(queue);
    for (int row = queue.count() - 2; row >= 0; --row) {
        if (!QueueRowSelected(row))
            continue;
        queue.swapRows(row, row + 1);
        selectInBoth(row + 1);
    }
}

bool QueueEditing::QueueIsEmpty(bool report)
{
    if (!queue.empty())
        return false;
    if (report)
        views.infoBar->showInfo(kQueueEmptyText);
    return true;
}

// The list whose selection counts: the visible one. With the queue rolled up, the list of
// the current path tab (the one the roll-up brings back), so only rows the user selected
// there can be removed or moved.
QueueList QueueEditing::selectionList() const
{
    if (views.window->listVisible(QueueList::Name))
        return QueueList::Name;
    if (views.window->listVisible(QueueList::Path))
        return QueueList::Path;
    return views.window->pathTabList();
}

bool QueueEditing::QueueHasSelection() const { return queue.hasSelection(selectionList()); }

bool QueueEditing::QueueRowSelected(int row) const { return queue.isSelected(selectionList(), row); }

void QueueEditing::ResetPlayedMarks(int& playedCount)
{
    queue.clearPlayedMarks();
    playedCount = 0;
}

bool QueueEditing::mayStandInQueue(const std::string& text)
{
    return !text.empty() && text.size() <= kLongestPath && ClassifyEntry(text) != MediaKind::None &&
           !HoldsLineBreakOrNul(text);
}

void QueueEditing::ValidateQueue()
{
    queue.removeIf([&](int row) { return !mayStandInQueue(queue.entry(row).text); });
    if (settings.optShowQueueItemsAdded)
        views.window->revealQueue();
}
