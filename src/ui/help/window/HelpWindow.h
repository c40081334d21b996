#pragma once
// The help window: the book's pages on the right; on the left three ways to find a page
// ("Contents", "Index", "Search"); "Back" and "Forward" above. One window for the whole run,
// never modal: every help request brings it forward at the page asked for.
#include <QList>
#include <QRect>
#include <QWidget>
#include <memory>

#include "ui/help/HelpViewer.h"

class HelpBrowser;
class HelpCollection;
class QHelpContentWidget;
class QHelpIndexWidget;
class QLineEdit;
class QPushButton;
class QTabWidget;
struct QHelpLink;

class HelpWindow final : public QWidget, public HelpViewer {
    Q_OBJECT
public:
    explicit HelpWindow(std::unique_ptr<HelpCollection> collection);
    ~HelpWindow() override;

    // HELP_CONTEXT: the topic of a help context number; HELP_FINDER: the contents;
    // HELP_PARTIALKEY: the index, ready for typing; HELP_HELPONHELP: how to use this window.
    void showHelp(QWidget* owner, unsigned command, unsigned long data) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Tab { ContentsTab, IndexTab, SearchTab };

    QWidget* createNavigationBar();
    QWidget* createContentsTab();
    QWidget* createIndexTab();
    QWidget* createSearchTab();

    void showTopic(int context);
    void showContents();
    void showIndex();
    void showUsingHelp();
    void showPage(const QUrl& url);
    void chooseTopic(const QList<QHelpLink>& topics, const QString& keyword);
    void markInContents(const QUrl& url);
    void bringForward(QWidget* owner);
    void placeBeside(const QWidget* owner);
    static QRect clearOfWindowsOnTop(QRect place, const QRect& available, const QList<QRect>& onTop);

    std::unique_ptr<HelpCollection> book;
    HelpBrowser* browser = nullptr;
    QTabWidget* tabs = nullptr;
    QHelpContentWidget* contents = nullptr;
    QHelpIndexWidget* index = nullptr;
    QLineEdit* indexField = nullptr;
    QPushButton* backButton = nullptr;
    QPushButton* forwardButton = nullptr;
    bool placed = false;
};
