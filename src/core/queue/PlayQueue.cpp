#include "core/queue/PlayQueue.h"

#include <algorithm>
#include <utility>

std::string QueueShortName(std::string_view text)
{
    std::size_t cut = text.starts_with('/') ? text.rfind('/') : text.find_last_of("\\:");
    return std::string(cut == std::string_view::npos ? text : text.substr(cut + 1));
}

void PlayQueue::insert(int row, std::vector<QueueEntry> added)
{
    if (added.empty())
        return;
    row = std::clamp(row, 0, count());
    const int addedCount = static_cast<int>(added.size());
    for (QueueEntry& entry : added) {
        entry.played = false;
        entry.id = nextId++;
    }
    for (PlayQueueObserver* observer : observers)
        observer->beginInsertRows(row, addedCount);
    entries.insert(entries.begin() + row, std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    for (std::deque<char>& marks : selections)
        marks.insert(marks.begin() + row, static_cast<std::size_t>(addedCount), 0);
    for (PlayQueueObserver* observer : observers)
        observer->endInsertRows();
}

void PlayQueue::clear()
{
    removeIf([](int) { return true; });
}

void PlayQueue::removeRun(int first, int runCount)
{
    for (PlayQueueObserver* observer : observers)
        observer->beginRemoveRows(first, runCount);
    entries.erase(entries.begin() + first, entries.begin() + first + runCount);
    for (std::deque<char>& marks : selections)
        marks.erase(marks.begin() + first, marks.begin() + first + runCount);
    // Rows gathered for a selection notice may no longer exist.
    for (DirtyRange& range : dirty) {
        if (range.first < 0)
            continue;
        range.last = std::min(range.last, count() - 1);
        if (range.first > range.last)
            range = DirtyRange{};
    }
    for (PlayQueueObserver* observer : observers)
        observer->endRemoveRows();
}

void PlayQueue::swapRows(int a, int b)
{
    std::swap(entries[static_cast<std::size_t>(a)], entries[static_cast<std::size_t>(b)]);
    for (QueueList list : {QueueList::Path, QueueList::Name}) {
        selection(list)[static_cast<std::size_t>(a)] = 0;
        selection(list)[static_cast<std::size_t>(b)] = 0;
        selectionTouched(list, std::min(a, b), std::max(a, b));
    }
    for (PlayQueueObserver* observer : observers)
        observer->rowsChanged(std::min(a, b), std::max(a, b));
}

void PlayQueue::setPlayed(int row, bool played) { entries[static_cast<std::size_t>(row)].played = played; }

void PlayQueue::clearPlayedMarks()
{
    for (QueueEntry& entry : entries)
        entry.played = false;
}

bool PlayQueue::hasSelection(QueueList list) const
{
    const std::deque<char>& marks = selection(list);
    return std::find(marks.begin(), marks.end(), 1) != marks.end();
}

void PlayQueue::selectFromView(QueueList list, int row, bool selected)
{
    selection(list)[static_cast<std::size_t>(row)] = selected ? 1 : 0;
}

void PlayQueue::setSelected(QueueList list, int row, bool selected)
{
    selection(list)[static_cast<std::size_t>(row)] = selected ? 1 : 0;
    selectionTouched(list, row, row);
}

void PlayQueue::clearSelection(QueueList list)
{
    std::deque<char>& marks = selection(list);
    std::fill(marks.begin(), marks.end(), 0);
    if (!marks.empty())
        selectionTouched(list, 0, count() - 1);
}

void PlayQueue::selectionTouched(QueueList list, int first, int last)
{
    DirtyRange& range = dirty[static_cast<std::size_t>(list)];
    range.first = range.first < 0 ? first : std::min(range.first, first);
    range.last = std::max(range.last, last);
    if (batchDepth == 0)
        flushSelection();
}

void PlayQueue::flushSelection()
{
    for (QueueList list : {QueueList::Path, QueueList::Name}) {
        DirtyRange range = std::exchange(dirty[static_cast<std::size_t>(list)], DirtyRange{});
        if (range.first < 0)
            continue;
        for (PlayQueueObserver* observer : observers)
            observer->selectionChanged(list, range.first, range.last);
    }
}

PlayQueue::Batch::Batch(PlayQueue& queue) : queue(queue) { ++queue.batchDepth; }

PlayQueue::Batch::~Batch()
{
    if (--queue.batchDepth == 0)
        queue.flushSelection();
}

void PlayQueue::addObserver(PlayQueueObserver* observer) { observers.push_back(observer); }

void PlayQueue::removeObserver(PlayQueueObserver* observer) { std::erase(observers, observer); }
