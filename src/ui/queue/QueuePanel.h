#pragma once
// The play queue on the main window: its two lists (full paths in `queue`, names in
// `queuefilename`, one of them shown as the path toggle `TabSet2` says), the roll-up, and
// the hands `btnUp` and `btnDown`, which stand beside the row last pressed. It is the
// session's queue window. The controls are the main window's; the panel shows the queue in
// them and handles them.
#include <QObject>

#include "core/queue/QueueWindow.h"

class QListView;
class QTabBar;
class QToolButton;
class QueueListModel;

class QueuePanel final : public QObject, public QueueWindow {
    Q_OBJECT
public:
    struct Controls {
        QListView* queue;
        QListView* queuefilename;
        QTabBar* TabSet2;
        QToolButton* btnQueueRollUp;
        QToolButton* btnUp;
        QToolButton* btnDown;
    };

    QueuePanel(PlayQueue& queue, const Controls& controls, QObject* parent);
    ~QueuePanel() override;

    // The path toggle changed, by a click or by the program.
    void TabSet2Change(int index);
    void btnQueueRollUpClick();

    // QueueWindow
    bool listVisible(QueueList list) const override;
    QueueList pathTabList() const override;
    void revealQueue() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showListOfTab(bool shown);
    void queueMouseDown(QWidget* list, int y);

    PlayQueue& entries;
    Controls controls;
    QueueListModel* pathModel;
    QueueListModel* nameModel;
};
