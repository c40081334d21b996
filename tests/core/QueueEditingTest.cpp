#include <gtest/gtest.h>

#include <climits>

#include "support/FakeQueueWindow.h"
#include "support/ScriptedDialogs.h"
#include "core/queue/QueueEditing.h"

namespace {

// A file list: names in a directory, some selected.
struct FakeFiles final : QueueSource {
    std::string directory;
    std::vector<std::string> names;
    std::vector<int> selected;

    int rowCount() const override { return static_cast<int>(names.size()); }
    bool rowSelected(int row) const override
    {
        return std::find(selected.begin(), selected.end(), row) != selected.end();
    }
    QueueEntry entryFor(int row) const override
    {
        const std::string& name = names[static_cast<std::size_t>(row)];
        return {(directory.ends_with('/') ? directory : directory + "/") + name, name};
    }
};

// Records what the views would be told, and checks every notice is consistent.
struct ViewProbe final : PlayQueueObserver {
    explicit ViewProbe(PlayQueue& queue) : queue(queue) { queue.addObserver(this); }
    ~ViewProbe() override { queue.removeObserver(this); }

    void beginInsertRows(int first, int count) override { pending = {first, count}, ++insertRuns; }
    void endInsertRows() override {}
    void beginRemoveRows(int, int) override { ++removeRuns; }
    void endRemoveRows() override {}
    void rowsChanged(int, int) override {}
    void selectionChanged(QueueList, int, int) override { ++selectionNotices; }

    PlayQueue& queue;
    std::pair<int, int> pending;
    int insertRuns = 0;
    int removeRuns = 0;
    int selectionNotices = 0;
};

class QueueEditingTest : public ::testing::Test {
protected:
    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (int row = 0; row < queue.count(); ++row)
            result.push_back(queue.entry(row).text);
        return result;
    }

    std::vector<int> selectedRows(QueueList list) const
    {
        std::vector<int> rows;
        for (int row = 0; row < queue.count(); ++row)
            if (queue.isSelected(list, row))
                rows.push_back(row);
        return rows;
    }

    void fill(std::vector<std::string> paths)
    {
        editing.AddFiles(paths, false);
        ASSERT_EQ(queue.count(), static_cast<int>(paths.size()));
    }

    void select(std::initializer_list<int> rows, QueueList list = QueueList::Path)
    {
        for (int row : rows)
            queue.selectFromView(list, row, true);
    }

    ScriptedDialogs dialogs;
    Settings settings;
    FakeQueueWindow window;
    PlayQueue queue;
    QueueEditing editing{queue, settings, window.views};
};

TEST_F(QueueEditingTest, AddToTopKeepsTheSourceOrderAboveTheOldEntries)
{
    fill({"/q/x.mid", "/q/y.mid"});
    FakeFiles files;
    files.directory = "/m";
    files.names = {"a.mid", "b.mid", "c.mid", "d.mid"};
    files.selected = {1, 3};
    editing.AddToQueue(files, false, true);
    EXPECT_EQ(texts(), (std::vector<std::string>{"/m/b.mid", "/m/d.mid", "/q/x.mid", "/q/y.mid"}));
    editing.AddToQueue(files, false, false);
    EXPECT_EQ(texts().back(), "/m/d.mid");
    EXPECT_EQ(queue.entry(0).fileName, "b.mid");
    EXPECT_FALSE(queue.entry(0).played);
}

TEST_F(QueueEditingTest, AddingJoinsDirectoryAndNameWithExactlyOneSeparator)
{
    FakeFiles root;
    root.directory = "/";
    root.names = {"song.wav"};
    editing.AddToQueue(root, true, false);
    FakeFiles deep;
    deep.directory = "/music/old";
    deep.names = {"song.wav"};
    editing.AddToQueue(deep, true, false);
    EXPECT_EQ(texts(), (std::vector<std::string>{"/song.wav", "/music/old/song.wav"}));
}

TEST_F(QueueEditingTest, AddingFromAnEmptyListAddsNothingAndSaysNothing)
{
    editing.AddToQueue(FakeFiles{}, true, false);
    editing.AddToQueue(FakeFiles{}, false, true);
    EXPECT_TRUE(queue.empty());
    EXPECT_TRUE(window.info.empty());
}

TEST_F(QueueEditingTest, ValidateDropsUnknownKindsAndKeepsTheSelectionOfTheRest)
{
    fill({"/a.mid", "/b.wav", "/c.mid"});
    select({0, 2});
    editing.AddFiles({"/NEW.DIR/FILE", "/readme", "/d.PNG"}, false);
    EXPECT_EQ(texts(), (std::vector<std::string>{"/a.mid", "/b.wav", "/c.mid", "/d.PNG"}));
    EXPECT_EQ(selectedRows(QueueList::Path), (std::vector<int>{0, 2}));
    EXPECT_EQ(window.reveals, 0);
    settings.optShowQueueItemsAdded = true;
    editing.AddFiles({"/e.txt"}, false);
    EXPECT_EQ(window.reveals, 1);
}

TEST_F(QueueEditingTest, DroppedFilesKeepTheirOrderCaseAndShortNames)
{
    fill({"/old.mid"});
    editing.AddDroppedFiles({"/Music/One.MID", "/Music/Two.wav", "/Music/Three.txt"}, true);
    EXPECT_EQ(texts(), (std::vector<std::string>{"/Music/One.MID", "/Music/Two.wav", "/Music/Three.txt", "/old.mid"}));
    EXPECT_EQ(queue.entry(0).fileName, "One.MID");
    EXPECT_EQ(queue.entry(2).fileName, "Three.txt");

    editing.AddDroppedFiles({std::string(PATH_MAX + 10, 'a') + ".mid", "/last.mid"}, false);
    EXPECT_EQ(texts().back(), "/last.mid") << "only names too long for a path are skipped";
    EXPECT_EQ(queue.count(), 5);

    settings.optDragDrop = false;
    editing.AddDroppedFiles({"/refused.mid"}, false);
    EXPECT_EQ(queue.count(), 5);
}

// No file name here holds a NUL, and an album line cannot hold a line break: such names are
// refused wherever they come from (drop, command line, another copy, D-Bus), with a word in
// the information bar; read from a playlist, validation drops them.
TEST_F(QueueEditingTest, NamesWithANulOrALineBreakAreRefused)
{
    using namespace std::string_literals;
    editing.AddFiles({"/a.mid\0b.mid"s, "/c.mid\n/d.mid", "/e\r.mid", "/ok.mid"}, false);
    EXPECT_EQ(texts(), (std::vector<std::string>{"/ok.mid"}));
    EXPECT_EQ(window.info, "Left out a file name with a line break or a NUL byte in it.");

    window.info.clear();
    editing.AddFiles({"/fine.wav"}, false);
    EXPECT_TRUE(window.info.empty());
    FakeFiles listing;
    listing.directory = "/m";
    listing.names = {"two\nlines.mid", "one.mid"};
    editing.AddToQueue(listing, true, false);
    EXPECT_EQ(window.info, "Left out a file name with a line break or a NUL byte in it.") << "Add ALL says it too";
    EXPECT_EQ(texts().back(), "/m/one.mid");
    settings.optConfirmWhenRemovingfromQueue = false;
    editing.RemoveFromQueue(true);
    fill({"/ok.mid", "/fine.wav"});
    queue.insert(0, {{"/f.mid\n.mid", "f.mid"}, {"/g\0.wav"s, "g.wav"}});
    editing.ValidateQueue();
    EXPECT_EQ(texts(), (std::vector<std::string>{"/ok.mid", "/fine.wav"}));
}

// No path here is longer than PATH_MAX: a longer entry (a 10 MB line of an album) names no
// file, and validation drops it before a list has to measure it.
TEST_F(QueueEditingTest, ValidationDropsEntriesLongerThanAnyPath)
{
    const std::string huge = "/music/" + std::string(10'000'000, 'n') + ".mid";
    const std::string longest = "/" + std::string(PATH_MAX - 6, 'n') + ".mid";
    ASSERT_EQ(longest.size(), static_cast<std::size_t>(PATH_MAX - 1));
    queue.insert(0, {{huge, "n.mid"}, {"/a.mid", "a.mid"}, {longest, "n.mid"}, {longest + "x.mid", "x.mid"}});
    editing.ValidateQueue();
    EXPECT_EQ(texts(), (std::vector<std::string>{"/a.mid", longest}));
}

// The rows in the queue were checked when they came: adding one row looks at that row alone,
// so one D-Bus call per file does not cost in proportion to the queue each time.
TEST_F(QueueEditingTest, AddingChecksOnlyTheAddedRows)
{
    std::vector<QueueEntry> unchecked(1000, QueueEntry{"/no/kind.xyz", "kind.xyz"});
    queue.insert(0, std::move(unchecked));
    editing.AddFiles({"/a.mid"}, false);
    editing.AddFiles({"/b.xyz"}, true);
    FakeFiles files;
    files.directory = "/m";
    files.names = {"c.wav"};
    editing.AddToQueue(files, true, false);
    EXPECT_EQ(queue.count(), 1002) << "the rows already there were not examined again";
    EXPECT_EQ(texts().back(), "/m/c.wav");
}

TEST_F(QueueEditingTest, ShortNamesOfPathsAndOtherTexts)
{
    EXPECT_EQ(QueueShortName("/music/a:b/song.mid"), "song.mid");
    EXPECT_EQ(QueueShortName("01:First Track.cdt"), "First Track.cdt");
    EXPECT_EQ(QueueShortName("C:\\MIDI\\A.MID"), "A.MID");
    EXPECT_EQ(QueueShortName("plain.mid"), "plain.mid");
}

TEST_F(QueueEditingTest, RemovingAnswersAndMessages)
{
    EXPECT_TRUE(editing.RemoveFromQueue(false));
    EXPECT_EQ(window.info, "There are currently no items in the queue.");

    fill({"/a.mid", "/b.mid", "/c.mid"});
    window.info.clear();
    EXPECT_FALSE(editing.RemoveFromQueue(false));
    EXPECT_EQ(window.info, "To remove individual queue items, you must select at least one first.");
    EXPECT_TRUE(dialogs.shown.empty());

    select({0, 2});
    dialogs.answers = {DialogAnswer::No};
    EXPECT_FALSE(editing.RemoveFromQueue(false));
    EXPECT_EQ(queue.count(), 3);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Warning);
    EXPECT_EQ(dialogs.shown[0].text, "Are you sure you want to remove the selected item(s) from the queue?");

    dialogs.answers = {DialogAnswer::Yes};
    EXPECT_TRUE(editing.RemoveFromQueue(false));
    EXPECT_EQ(texts(), (std::vector<std::string>{"/b.mid"}));
    EXPECT_TRUE(selectedRows(QueueList::Path).empty());

    settings.optConfirmWhenRemovingfromQueue = false;
    EXPECT_TRUE(editing.RemoveFromQueue(true));
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(QueueEditingTest, TheVisibleListsSelectionDecides)
{
    fill({"/a.mid", "/b.mid", "/c.mid"});
    select({0}, QueueList::Path);
    select({1}, QueueList::Name);
    window.pathVisible = false;
    window.nameVisible = true;
    settings.optConfirmWhenRemovingfromQueue = false;
    editing.RemoveFromQueue(false);
    EXPECT_EQ(texts(), (std::vector<std::string>{"/a.mid", "/c.mid"}));
}

TEST_F(QueueEditingTest, RolledUpQueueRemovesOnlyRowsSelectedInThePathTabsList)
{
    fill({"/a.mid", "/b.mid", "/c.mid"});
    settings.optConfirmWhenRemovingfromQueue = false;
    window.pathVisible = window.nameVisible = false;
    window.tab = QueueList::Name;
    select({0}, QueueList::Path);  // left over from before, not in the tab's list

    EXPECT_FALSE(editing.QueueHasSelection());
    EXPECT_FALSE(editing.RemoveFromQueue(false));
    EXPECT_EQ(queue.count(), 3);

    select({2}, QueueList::Name);
    EXPECT_TRUE(editing.RemoveFromQueue(false));
    EXPECT_EQ(texts(), (std::vector<std::string>{"/a.mid", "/b.mid"}));
}

TEST_F(QueueEditingTest, MovingUpSwapsAtTheTopAndMovesBlocks)
{
    fill({"/0.mid", "/1.mid", "/2.mid", "/3.mid", "/4.mid"});
    select({0, 1});
    editing.MoveQueueItemsUp();
    EXPECT_EQ(texts(), (std::vector<std::string>{"/1.mid", "/0.mid", "/2.mid", "/3.mid", "/4.mid"}));
    EXPECT_EQ(selectedRows(QueueList::Path), (std::vector<int>{0}));
    EXPECT_EQ(selectedRows(QueueList::Name), (std::vector<int>{0}));

    queue.clearSelection(QueueList::Path);
    queue.clearSelection(QueueList::Name);
    select({2, 3});
    editing.MoveQueueItemsUp();
    EXPECT_EQ(texts(), (std::vector<std::string>{"/1.mid", "/2.mid", "/3.mid", "/0.mid", "/4.mid"}));
    EXPECT_EQ(selectedRows(QueueList::Path), (std::vector<int>{1, 2}));
}

TEST_F(QueueEditingTest, MovingDownMirrorsMovingUp)
{
    fill({"/0.mid", "/1.mid", "/2.mid", "/3.mid"});
    select({2, 3});
    editing.MoveQueueItemsDown();
    EXPECT_EQ(texts(), (std::vector<std::string>{"/0.mid", "/1.mid", "/3.mid", "/2.mid"}));
    EXPECT_EQ(selectedRows(QueueList::Path), (std::vector<int>{3}));

    queue.clearSelection(QueueList::Path);
    queue.clearSelection(QueueList::Name);
    select({0, 1});
    editing.MoveQueueItemsDown();
    EXPECT_EQ(texts(), (std::vector<std::string>{"/3.mid", "/0.mid", "/1.mid", "/2.mid"}));
    EXPECT_EQ(selectedRows(QueueList::Path), (std::vector<int>{1, 2}));
}

TEST_F(QueueEditingTest, MovingWithNothingToMoveSaysWhy)
{
    editing.MoveQueueItemsDown();
    EXPECT_EQ(window.info, "There are currently no items in the queue.");
    fill({"/a.mid"});
    editing.MoveQueueItemsUp();
    EXPECT_EQ(window.info, "To move item(s) in the queue, you must select at least one first.");
}

TEST_F(QueueEditingTest, PlayedMarksResetAndEntriesKeepTheirIds)
{
    fill({"/a.mid", "/b.mid"});
    const std::uint64_t firstId = queue.entry(0).id;
    EXPECT_NE(firstId, queue.entry(1).id);
    queue.setPlayed(1, true);
    int playedCount = 7;
    editing.ResetPlayedMarks(playedCount);
    EXPECT_EQ(playedCount, 0);
    EXPECT_FALSE(queue.entry(1).played);
    select({1});
    editing.MoveQueueItemsUp();
    EXPECT_EQ(queue.entry(1).id, firstId) << "an entry keeps its id when it moves";
}

TEST_F(QueueEditingTest, BulkChangesReachTheViewsInRuns)
{
    ViewProbe probe(queue);
    std::vector<std::string> many;
    for (int i = 0; i < 1000; ++i)
        many.push_back("/f" + std::to_string(i) + (i % 2 ? ".mid" : ".xyz"));
    editing.AddFiles(many, false);
    EXPECT_EQ(probe.insertRuns, 1);
    EXPECT_EQ(probe.removeRuns, 0) << "the rows of no known kind never reach the views";
    EXPECT_EQ(queue.count(), 500);

    probe.removeRuns = 0;
    settings.optConfirmWhenRemovingfromQueue = false;
    editing.RemoveFromQueue(true);
    EXPECT_EQ(probe.removeRuns, 1);

    fill({"/0.mid", "/1.mid", "/2.mid", "/3.mid"});
    select({1, 2, 3});
    probe.selectionNotices = 0;
    editing.MoveQueueItemsUp();
    EXPECT_EQ(probe.selectionNotices, 2) << "one notice per list for the whole move";
}

}  // namespace
