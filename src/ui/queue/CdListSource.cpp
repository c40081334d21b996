#include "ui/queue/CdListSource.h"

#include <QListWidget>

int CdListSource::rowCount() const { return list.count(); }

bool CdListSource::rowSelected(int row) const { return list.item(row)->isSelected(); }

QueueEntry CdListSource::entryFor(int row) const
{
    const std::string text = list.item(row)->text().toLocal8Bit().toStdString();
    return {text, text};
}
