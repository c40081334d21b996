#pragma once
// The play queue on the main window: its two lists (full paths in one, names in the other,
// one of them shown as the path toggle says), the roll-up, and the hands that move rows up
// and down, which stand beside the row last pressed. It is the
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
        QListView* pathList;        // object name "queue"
        QListView* nameList;        // "queuefilename"
        QTabBar* pathTabs;          // "TabSet2"
        QToolButton* rollUpButton;  // "btnQueueRollUp"
        QToolButton* upHand;        // "btnUp"
        QToolButton* downHand;      // "btnDown"
    };

    QueuePanel(PlayQueue& queue, const Controls& controls, QObject* parent);
    ~QueuePanel() override;

    // The path toggle changed, by a click or by the program.
    void pathTabChanged(int index);
    void toggleRollUp();

    // QueueWindow
    bool listVisible(QueueList list) const override;
    QueueList pathTabList() const override;
    void revealQueue() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showListOfTab(bool shown);
    void placeHands(QWidget* list, int y);

    PlayQueue& entries;
    Controls controls;
    QueueListModel* pathModel;
    QueueListModel* nameModel;
};
