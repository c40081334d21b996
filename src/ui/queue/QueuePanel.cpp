#include "ui/queue/QueuePanel.h"

#include <QListView>
#include <QMouseEvent>
#include <QTabBar>
#include <QToolButton>

#include "core/base/GuardedCall.h"
#include "ui/queue/QueueListModel.h"

QueuePanel::QueuePanel(PlayQueue& queue, const Controls& controls, QObject* parent)
    : QObject(parent),
      entries(queue),
      controls(controls),
      pathModel(new QueueListModel(queue, QueueList::Path, this)),
      nameModel(new QueueListModel(queue, QueueList::Name, this))
{
    pathModel->attach(controls.queue);
    nameModel->attach(controls.queuefilename);
    controls.queue->viewport()->installEventFilter(this);
    controls.queuefilename->viewport()->installEventFilter(this);
    connect(controls.TabSet2, &QTabBar::currentChanged, this,
            [this](int index) { GuardedCall([&] { TabSet2Change(index); }); });
    connect(controls.btnQueueRollUp, &QToolButton::clicked, this,
            [this] { GuardedCall([this] { btnQueueRollUpClick(); }); });
}

QueuePanel::~QueuePanel() = default;

void QueuePanel::showListOfTab(bool shown)
{
    const bool hidePath = controls.TabSet2->currentIndex() == 1;
    controls.queuefilename->setVisible(hidePath && shown);
    controls.queue->setVisible(!hidePath && shown);
}

void QueuePanel::TabSet2Change(int)
{
    entries.clearSelection(QueueList::Path);
    entries.clearSelection(QueueList::Name);
    showListOfTab(true);
}

void QueuePanel::btnQueueRollUpClick()
{
    const bool shown = controls.TabSet2->isHidden();
    controls.TabSet2->setVisible(shown);
    showListOfTab(shown);
}

bool QueuePanel::listVisible(QueueList list) const
{
    return !(list == QueueList::Path ? controls.queue : controls.queuefilename)->isHidden();
}

QueueList QueuePanel::pathTabList() const
{
    return controls.TabSet2->currentIndex() == 1 ? QueueList::Name : QueueList::Path;
}

void QueuePanel::revealQueue()
{
    controls.TabSet2->show();
    showListOfTab(true);
}

bool QueuePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        auto* viewport = static_cast<QWidget*>(watched);
        const int y = viewport->mapToParent(static_cast<QMouseEvent*>(event)->position().toPoint()).y();
        queueMouseDown(viewport->parentWidget(), y);
    }
    return QObject::eventFilter(watched, event);
}

// The hands stand beside the row just pressed.
void QueuePanel::queueMouseDown(QWidget* list, int y)
{
    controls.btnUp->move(controls.btnUp->x(), list->y() + y);
    controls.btnDown->move(controls.btnDown->x(), list->y() + y);
}
