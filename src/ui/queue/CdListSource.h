#pragma once
// The CD track list as a source of queue entries: a row's text is both the entry and its
// short name.
#include "core/queue/QueueEditing.h"

class QListWidget;

class CdListSource final : public QueueSource {
public:
    explicit CdListSource(const QListWidget& list) : list(list) {}
    int rowCount() const override;
    bool rowSelected(int row) const override;
    QueueEntry entryFor(int row) const override;

private:
    const QListWidget& list;
};
