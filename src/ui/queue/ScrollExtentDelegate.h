#pragma once
// Draws a list's rows as usual, each as wide as a fixed horizontal scroll extent. A list of
// rows of one height asks one row for the size of all (the last one, which may be short),
// so without it a long path above a short one would be cut off with no scroll bar.
#include <QStyledItemDelegate>

class ScrollExtentDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ScrollExtentDelegate(int extent, QObject* parent);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int extent;
};
