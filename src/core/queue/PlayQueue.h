#pragma once
// The play queue: one list of entries, shown by two list views (the path list with the full
// texts, the name list with the short names), each keeping its own selection. Holding
// the entries in one place means the text, the short name and the played mark of a row can
// never fall out of step.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

struct QueueEntry {
    std::string text;      // full path or CD entry text: what the engine plays
    std::string fileName;  // the name without its directory
    bool played = false;   // marked in Shuffle mode since the marks were last reset
    std::uint64_t id = 0;  // stable for the entry's life in the queue
};

// The two views of the queue.
enum class QueueList { Path = 0, Name = 1 };

// Told of every change, so views stay in step. Insertions and removals come in
// contiguous runs, announced before and confirmed after the change.
class PlayQueueObserver {
public:
    virtual ~PlayQueueObserver() = default;
    virtual void beginInsertRows(int first, int count) = 0;
    virtual void endInsertRows() = 0;
    virtual void beginRemoveRows(int first, int count) = 0;
    virtual void endRemoveRows() = 0;
    virtual void rowsChanged(int first, int last) = 0;
    virtual void selectionChanged(QueueList list, int first, int last) = 0;
};

// The short name of a queue text: for a path, the text after the last "/"; otherwise (CD
// entries, texts from other systems) the text after the last "\" or ":".
std::string QueueShortName(std::string_view text);

class PlayQueue {
public:
    int count() const { return static_cast<int>(entries.size()); }
    bool empty() const { return entries.empty(); }
    const QueueEntry& entry(int row) const { return entries[static_cast<std::size_t>(row)]; }

    // Inserts the entries before row (count() appends), unplayed and unselected, in one run.
    void insert(int row, std::vector<QueueEntry> added);
    // Removes every row for which remove(row) is true, in runs, from the last to the first.
    template <class Predicate>
    void removeIf(Predicate remove);
    void clear();
    // Exchanges two rows; both lose their selection marks in both lists.
    void swapRows(int a, int b);
    void setPlayed(int row, bool played);
    void clearPlayedMarks();

    bool isSelected(QueueList list, int row) const { return selection(list)[static_cast<std::size_t>(row)] != 0; }
    bool hasSelection(QueueList list) const;
    // A change made by the user in a view: the view already shows it, so no notification.
    void selectFromView(QueueList list, int row, bool selected);
    // A change made by the program: the views are told.
    void setSelected(QueueList list, int row, bool selected);
    void clearSelection(QueueList list);

    // While a batch lives, selection notifications are gathered into one per list.
    class Batch {
    public:
        explicit Batch(PlayQueue& queue);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        PlayQueue& queue;
    };

    // An observer removes itself before the queue is destroyed.
    void addObserver(PlayQueueObserver* observer);
    void removeObserver(PlayQueueObserver* observer);

private:
    struct DirtyRange {
        int first = -1;
        int last = -1;
    };

    std::deque<char>& selection(QueueList list) { return selections[static_cast<std::size_t>(list)]; }
    const std::deque<char>& selection(QueueList list) const { return selections[static_cast<std::size_t>(list)]; }
    void removeRun(int first, int count);
    void selectionTouched(QueueList list, int first, int last);
    void flushSelection();

    // Double-ended: a file added at the top (OpenUri while nothing plays) moves no other entry.
    std::deque<QueueEntry> entries;
    std::deque<char> selections[2];
    std::vector<PlayQueueObserver*> observers;
    DirtyRange dirty[2];
    int batchDepth = 0;
    std::uint64_t nextId = 1;
};

template <class Predicate>
void PlayQueue::removeIf(Predicate remove)
{
    Batch batch(*this);
    int row = count() - 1;
    while (row >= 0) {
        if (!remove(row)) {
            --row;
            continue;
        }
        int last = row;
        while (row - 1 >= 0 && remove(row - 1))
            --row;
        removeRun(row, last - row + 1);
        --row;
    }
}
