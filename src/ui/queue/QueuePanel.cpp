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
    pathModel->attach(controls.pathList);
    nameModel->attach(controls.nameList);
    controls.pathList->viewport()->installEventFilter(this);
    controls.nameList->viewport()->installEventFilter(this);
    connect(controls.pathTabs, &QTabBar::currentChanged, this,
            [this](int index) { GuardedCall([&] { pathTabChanged(index); }); });
    connect(controls.rollUpButton, &QToolButton::clicked, this, [this] { GuardedCall([this] { toggleRollUp(); }); });
}

QueuePanel::~QueuePanel() = default;

void QueuePanel::showListOfTab(bool shown)
{
    const bool hidePath = controls.pathTabs->currentIndex() == 1;
    controls.nameList->setVisible(hidePath && shown);
    controls.pathList->setVisible(!hidePath && shown);
}

void QueuePanel::pathTabChanged(int)
{
    entries.clearSelection(QueueList::Path);
    entries.clearSelection(QueueList::Name);
    showListOfTab(true);
}

void QueuePanel::toggleRollUp()
{
    const bool shown = controls.pathTabs->isHidden();
    controls.pathTabs->setVisible(shown);
    showListOfTab(shown);
}

bool QueuePanel::listVisible(QueueList list) const
{
    return !(list == QueueList::Path ? controls.pathList : controls.nameList)->isHidden();
}

QueueList QueuePanel::pathTabList() const
{
    return controls.pathTabs->currentIndex() == 1 ? QueueList::Name : QueueList::Path;
}

void QueuePanel::revealQueue()
{
    controls.pathTabs->show();
    showListOfTab(true);
}

bool QueuePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        auto* viewport = static_cast<QWidget*>(watched);
        const int y = viewport->mapToParent(static_cast<QMouseEvent*>(event)->position().toPoint()).y();
        placeHands(viewport->parentWidget(), y);
    }
    return QObject::eventFilter(watched, event);
}

// The hands stand beside the row just pressed.
void QueuePanel::placeHands(QWidget* list, int y)
{
    controls.upHand->move(controls.upHand->x(), list->y() + y);
    controls.downHand->move(controls.downHand->x(), list->y() + y);
}
