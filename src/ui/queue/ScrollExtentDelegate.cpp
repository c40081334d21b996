#include "ui/queue/ScrollExtentDelegate.h"

ScrollExtentDelegate::ScrollExtentDelegate(int extent, QObject* parent) : QStyledItemDelegate(parent), extent(extent) {}

QSize ScrollExtentDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return {extent, QStyledItemDelegate::sizeHint(option, index).height()};
}
