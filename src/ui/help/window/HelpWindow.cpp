#include "ui/help/window/HelpWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "ui/help/HelpEngine.h"
#include "ui/help/window/HelpBrowser.h"
#include "ui/help/window/HelpCollection.h"
#include "ui/help/window/TopicChooser.h"

namespace {

const QString kContentsPage = QStringLiteral("contents.html");
const QString kUsingHelpPage = QStringLiteral("using-help.html");

// Between the help window and the windows it is placed beside or kept clear of.
constexpr int kGap = 8;

// The windows that stay on top of all others (the toolbar): a window placed under one of them
// would have its caption and heading hidden for good.
QList<QRect> windowsStayingOnTop(const QWidget* except)
{
    QList<QRect> places;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window != except && window->isVisible() && window->windowType() == Qt::Window &&
            (window->windowFlags() & Qt::WindowStaysOnTopHint))
            places.append(window->frameGeometry());
    }
    return places;
}

}  // namespace

HelpWindow::HelpWindow(std::unique_ptr<HelpCollection> collection)
    : QWidget(nullptr, Qt::Window), book(std::move(collection))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Sonorail Help"));
    resize(720, 540);
    browser = new HelpBrowser(book->engine(), this);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("helpTabs"));
    tabs->addTab(createContentsTab(), QStringLiteral("&Contents"));
    tabs->addTab(createIndexTab(), QStringLiteral("&Index"));
    tabs->addTab(createSearchTab(), QStringLiteral("&Search"));
    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs);
    splitter->addWidget(browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 490});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createNavigationBar());
    layout->addWidget(splitter, 1);
    connect(browser, &QTextBrowser::sourceChanged, this, &HelpWindow::markInContents);
}

// The lists and the page area read from the engine while they live, so they go first.
HelpWindow::~HelpWindow() { qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly)); }

void HelpWindow::showHelp(QWidget* owner, unsigned command, unsigned long data)
{
    bringForward(owner);
    switch (command) {
        case HelpCommand::HELP_CONTEXT:
            showTopic(static_cast<int>(std::min<unsigned long>(data, INT_MAX)));
            break;
        case HelpCommand::HELP_PARTIALKEY:
            showIndex();
            break;
        case HelpCommand::HELP_HELPONHELP:
            showUsingHelp();
            break;
        default:
            showContents();
            break;
    }
}

QWidget* HelpWindow::createNavigationBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    backButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"), bar);
    backButton->setObjectName(QStringLiteral("helpBack"));
    forwardButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"), bar);
    forwardButton->setObjectName(QStringLiteral("helpForward"));
    backButton->setEnabled(false);
    forwardButton->setEnabled(false);
    connect(backButton, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(forwardButton, &QPushButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, backButton, &QWidget::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardButton, &QWidget::setEnabled);
    row->addWidget(backButton);
    row->addWidget(forwardButton);
    row->addStretch(1);
    return bar;
}

QWidget* HelpWindow::createContentsTab()
{
    contents = book->engine().contentWidget();
    contents->setObjectName(QStringLiteral("contentsTree"));
    contents->setHeaderHidden(true);
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::showPage);
    // The contents are read in the background; the first level opens once they are there.
    connect(book->engine().contentModel(), &QHelpContentModel::contentsCreated, contents, [this] {
        contents->expandToDepth(0);
        markInContents(browser->source());
    });
    return contents;
}

QWidget* HelpWindow::createIndexTab()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel(QStringLiteral("&Look for:"), page);
    indexField = new QLineEdit(page);
    indexField->setObjectName(QStringLiteral("indexField"));
    label->setBuddy(indexField);
    index = book->engine().indexWidget();
    index->setObjectName(QStringLiteral("indexList"));
    layout->addWidget(label);
    layout->addWidget(indexField);
    layout->addWidget(index, 1);
    connect(indexField, &QLineEdit::textChanged, index, [this](const QString& text) {
        index->filterIndices(text, text.contains(QLatin1Char('*')) ? text : QString());
    });
    connect(indexField, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& topic, const QString&) { showPage(topic.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this, &HelpWindow::chooseTopic);
    indexField->installEventFilter(this);
    return page;
}

QWidget* HelpWindow::createSearchTab()
{
    QHelpSearchEngine* search = book->engine().searchEngine();
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    QHelpSearchQueryWidget* query = search->queryWidget();
    query->setObjectName(QStringLiteral("searchQuery"));
    QHelpSearchResultWidget* results = search->resultWidget();
    results->setObjectName(QStringLiteral("searchResults"));
    layout->addWidget(query);
    layout->addWidget(results, 1);
    connect(query, &QHelpSearchQueryWidget::search, search, [search, query] { search->search(query->searchInput()); });
    connect(results, &QHelpSearchResultWidget::requestShowLink, this, &HelpWindow::showPage);
    // The words of the book are indexed in the background at its first use; the search
    // field waits for that.
    connect(search, &QHelpSearchEngine::indexingStarted, query, [query] { query->setEnabled(false); });
    connect(search, &QHelpSearchEngine::indexingFinished, query, [query] { query->setEnabled(true); });
    return page;
}

void HelpWindow::showTopic(int context)
{
    const QUrl topic = book->topicUrl(context);
    if (topic.isEmpty())
        showContents();
    else
        showPage(topic);
}

void HelpWindow::showContents()
{
    tabs->setCurrentIndex(ContentsTab);
    showPage(book->pageUrl(kContentsPage));
}

void HelpWindow::showIndex()
{
    tabs->setCurrentIndex(IndexTab);
    if (browser->source().isEmpty())
        showPage(book->pageUrl(kContentsPage));  // a page beside the index, not a blank
    indexField->clear();
    indexField->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::showUsingHelp() { showPage(book->pageUrl(kUsingHelpPage)); }

void HelpWindow::showPage(const QUrl& url)
{
    if (url.isValid() && browser->source() != url)
        browser->setSource(url);
}

void HelpWindow::chooseTopic(const QList<QHelpLink>& topics, const QString& keyword)
{
    TopicChooser chooser(this, keyword, topics);
    if (chooser.exec() == QDialog::Accepted)
        showPage(chooser.chosenTopic());
}

void HelpWindow::markInContents(const QUrl& url)
{
    const QModelIndex entry = contents->indexOf(url);
    if (entry.isValid())
        contents->setCurrentIndex(entry);
}

void HelpWindow::bringForward(QWidget* owner)
{
    if (!placed) {
        placeBeside(owner);
        placed = true;
    }
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

// Beside the asking window when the screen has room there, else in the middle of the screen;
// never under a window that stays on top. The window is not framed yet: the asking window's
// frame tells what the window manager will add.
void HelpWindow::placeBeside(const QWidget* owner)
{
    const QWidget* anchor = owner ? owner->window() : nullptr;
    QScreen* screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect asking = anchor ? anchor->frameGeometry() : QRect();
    const QMargins frame =
        anchor ? QMargins(anchor->geometry().left() - asking.left(), anchor->geometry().top() - asking.top(),
                          asking.right() - anchor->geometry().right(), asking.bottom() - anchor->geometry().bottom())
               : QMargins();
    const QList<QRect> onTop = windowsStayingOnTop(this);
    const auto fits = [&](const QRect& place) {
        return available.contains(place) &&
               std::none_of(onTop.begin(), onTop.end(), [&](const QRect& other) { return other.intersects(place); });
    };
    QRect place(QPoint(), size().grownBy(frame));
    if (anchor) {
        place.moveTopLeft(QPoint(asking.right() + kGap, asking.top()));
        if (!fits(place))
            place.moveTopRight(QPoint(asking.left() - kGap, asking.top()));
    }
    if (!fits(place))
        place.moveCenter(available.center());
    if (!fits(place))
        place = clearOfWindowsOnTop(place, available, onTop);
    move(place.topLeft());
    resize(place.size().shrunkBy(frame).expandedTo(minimumSizeHint()));
}

// Above or below the windows on top that place would meet, where the screen has more room,
// made shorter when the room is less than its height.
QRect HelpWindow::clearOfWindowsOnTop(QRect place, const QRect& available, const QList<QRect>& onTop)
{
    QRect covered;
    for (const QRect& other : onTop) {
        if (other.intersects(place))
            covered |= other;
    }
    const int roomAbove = covered.top() - kGap - available.top();
    const int roomBelow = available.bottom() - (covered.bottom() + kGap);
    if (roomBelow >= roomAbove) {
        place.setHeight(std::min(place.height(), roomBelow));
        place.moveTop(covered.bottom() + 1 + kGap);
    } else {
        place.setHeight(std::min(place.height(), roomAbove));
        place.moveBottom(covered.top() - 1 - kGap);
    }
    return place;
}

// Up and down in the field walk the keyword list, as they would in a combo box.
bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == indexField && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QCoreApplication::sendEvent(index, event);
                return true;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
