#include "ui/queue/QueueListModel.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

#include "ui/queue/MusicTagCache.h"

QueueListModel::QueueListModel(PlayQueue& queue, QueueList list, QObject* parent)
    : QAbstractListModel(parent), queue(queue), list(list)
{
    queue.addObserver(this);
}

QueueListModel::~QueueListModel() { queue.removeObserver(this); }

void QueueListModel::attach(QAbstractItemView* itemView)
{
    view = itemView;
    view->setModel(this);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QueueListModel::viewSelectionChanged);
}

int QueueListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : queue.count(); }

QVariant QueueListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= queue.count())
        return {};
    const QueueEntry& entry = queue.entry(index.row());
    if (role == Qt::ToolTipRole)
        return MusicToolTipOf(entry.text);
    if (role != Qt::DisplayRole)
        return {};
    const std::string& text = list == QueueList::Path ? entry.text : entry.fileName;
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// While rows come and go, the view's selection model shifts its own marks as the queue
// shifts its marks; what it reports meanwhile is not a choice of the user.
void QueueListModel::beginInsertRows(int first, int count)
{
    changingRows = true;
    QAbstractListModel::beginInsertRows(QModelIndex(), first, first + count - 1);
}

void QueueListModel::endInsertRows()
{
    QAbstractListModel::endInsertRows();
    changingRows = false;
}

void QueueListModel::beginRemoveRows(int first, int count)
{
    changingRows = true;
    QAbstractListModel::beginRemoveRows(QModelIndex(), first, first + count - 1);
}

void QueueListModel::endRemoveRows()
{
    QAbstractListModel::endRemoveRows();
    changingRows = false;
}

void QueueListModel::rowsChanged(int first, int last)
{
    emit dataChanged(index(first), index(last), {Qt::DisplayRole});
}

// The program changed the marks of rows first..last: the view shows them as they are now.
void QueueListModel::selectionChanged(QueueList changed, int first, int last)
{
    if (changed != list || !view)
        return;
    QItemSelection wanted;
    int row = first;
    while (row <= last) {
        if (!queue.isSelected(list, row)) {
            ++row;
            continue;
        }
        int runStart = row;
        while (row + 1 <= last && queue.isSelected(list, row + 1))
            ++row;
        wanted.select(index(runStart), index(row));
        ++row;
    }
    pushingSelection = true;
    QItemSelectionModel* selection = view->selectionModel();
    selection->select(QItemSelection(index(first), index(last)), QItemSelectionModel::Deselect);
    selection->select(wanted, QItemSelectionModel::Select);
    pushingSelection = false;
}

// The user changed the view's selection: the queue's marks follow.
void QueueListModel::viewSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (pushingSelection || changingRows)
        return;
    for (const QModelIndex& index : deselected.indexes())
        queue.selectFromView(list, index.row(), false);
    for (const QModelIndex& index : selected.indexes())
        queue.selectFromView(list, index.row(), true);
}
