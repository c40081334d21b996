#pragma once
// One view's model of the play queue: the full texts for the path list, the short names for
// the name list. It follows the queue's changes row by row (never a reset, so the
// selection of surviving rows is kept) and keeps the view's selection and the queue's
// selection marks for that list the same in both directions.
#include <QAbstractListModel>
#include <QPointer>

#include "core/queue/PlayQueue.h"

class QAbstractItemView;
class QItemSelection;

class QueueListModel : public QAbstractListModel, private PlayQueueObserver {
    Q_OBJECT
public:
    QueueListModel(PlayQueue& queue, QueueList list, QObject* parent = nullptr);
    ~QueueListModel() override;

    // Shows the queue in view and links the view's selection with the queue's marks.
    void attach(QAbstractItemView* view);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void beginInsertRows(int first, int count) override;
    void endInsertRows() override;
    void beginRemoveRows(int first, int count) override;
    void endRemoveRows() override;
    void rowsChanged(int first, int last) override;
    void selectionChanged(QueueList changed, int first, int last) override;

    void viewSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);

    PlayQueue& queue;
    QueueList list;
    QPointer<QAbstractItemView> view;
    bool pushingSelection = false;
    bool changingRows = false;
};
