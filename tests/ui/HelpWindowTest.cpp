// The help window over the built help book, opened through the program's help engine as the
// program opens it: the module is loaded at the first request.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QHelpIndexWidget>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/ErrorOf.h"
#include "support/HangWatchdog.h"
#include "support/QtEvents.h"
#include "support/TempDir.h"
#include "ui/help/HelpBookEngine.h"

namespace {

using namespace std::chrono_literals;

const QString kBook = QStringLiteral(SONORAIL_HELP_BOOK);

class HelpWindowTest : public ::testing::Test {
protected:
    QString cacheFolder() const { return QString::fromStdString(cache.file("help")); }

    // One help request, as F1, What's This or the Help menu make it.
    void ask(unsigned command, unsigned long data = 0, const QString& book = kBook)
    {
        engine->WinHelp(nullptr, book, command, data);
    }

    static QWidget* helpWindow()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("HelpWindow"))
                return window;
        }
        return nullptr;
    }
    static QTextBrowser* pageArea() { return helpWindow()->findChild<QTextBrowser*>(QStringLiteral("helpBrowser")); }
    static QString page() { return pageArea()->source().fileName(); }
    static QTabWidget* tabs() { return helpWindow()->findChild<QTabWidget*>(QStringLiteral("helpTabs")); }
    static QString currentTab() { return tabs()->tabText(tabs()->currentIndex()).remove(QLatin1Char('&')); }
    static QLineEdit* indexField() { return helpWindow()->findChild<QLineEdit*>(QStringLiteral("indexField")); }
    static QHelpIndexWidget* indexList() { return helpWindow()->findChild<QHelpIndexWidget*>(); }

    // Types into the index field and presses Enter once the keywords are read.
    static void lookUp(const QString& keyword)
    {
        ASSERT_TRUE(qt_test::waitUntil([] { return indexList()->model()->rowCount() > 0; }));
        indexField()->setText(keyword);
        qt_test::pressKey(indexField(), Qt::Key_Return);
    }

    TempDir cache;
    std::unique_ptr<HelpBookEngine> engine =
        std::make_unique<HelpBookEngine>(QStringLiteral(SONORAIL_HELP_MODULE), cacheFolder());
};

TEST_F(HelpWindowTest, EveryHelpContextInUseOpensItsOwnTopic)
{
    EXPECT_FALSE(engine->moduleLoaded()) << "nothing is loaded before the first request";
    for (int context = 2; context <= 57; ++context) {
        ask(HelpCommand::HELP_CONTEXT, context);
        EXPECT_EQ(page(), QStringLiteral("topic-%1.html").arg(context, 2, 10, QLatin1Char('0'))) << context;
        EXPECT_FALSE(pageArea()->documentTitle().isEmpty()) << context;
    }
    EXPECT_TRUE(engine->moduleLoaded());
    EXPECT_TRUE(helpWindow()->isVisible());

    ask(HelpCommand::HELP_CONTEXT, 99);
    EXPECT_EQ(page(), "contents.html") << "a number without a topic shows the contents";
}

TEST_F(HelpWindowTest, HelpCommandsOpenContentsIndexAndUsingHelp)
{
    ask(HelpCommand::HELP_FINDER);
    EXPECT_EQ(page(), "contents.html");
    EXPECT_EQ(currentTab(), "Contents");

    indexField()->setText(QStringLiteral("left over"));
    ask(HelpCommand::HELP_PARTIALKEY);
    EXPECT_EQ(currentTab(), "Index");
    EXPECT_EQ(helpWindow()->focusWidget(), indexField());
    EXPECT_TRUE(indexField()->text().isEmpty());

    ask(HelpCommand::HELP_HELPONHELP);
    EXPECT_EQ(page(), "using-help.html");
    EXPECT_EQ(pageArea()->documentTitle(), "Using the Help window");
}

// With no room beside the asking window the help window opens clear of the toolbar, which
// stays on top of it: its caption and heading are never hidden.
TEST_F(HelpWindowTest, WithNoRoomBesideTheAskingWindowItOpensClearOfAWindowOnTop)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget asking;
    asking.setGeometry(QRect(QPoint(), QSize(screen.width() - 200, 300)).translated(100, 120));
    asking.show();
    QWidget onTop(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    onTop.setGeometry(asking.x(), asking.y() + 20, asking.width(), 40);
    onTop.show();

    engine->WinHelp(&asking, kBook, HelpCommand::HELP_CONTEXT, 35);
    const QRect help = helpWindow()->frameGeometry();
    EXPECT_FALSE(help.intersects(onTop.frameGeometry()))
        << "help " << help.y() << "-" << help.bottom() << ", window on top " << onTop.y() << "-"
        << onTop.geometry().bottom();
    EXPECT_TRUE(screen.contains(help));
}

TEST_F(HelpWindowTest, BackAndForwardRetraceThePagesRead)
{
    ask(HelpCommand::HELP_CONTEXT, 47);
    auto* back = helpWindow()->findChild<QPushButton*>(QStringLiteral("helpBack"));
    auto* forward = helpWindow()->findChild<QPushButton*>(QStringLiteral("helpForward"));
    EXPECT_FALSE(back->isEnabled());
    ask(HelpCommand::HELP_CONTEXT, 8);
    ask(HelpCommand::HELP_HELPONHELP);

    back->click();
    EXPECT_EQ(page(), "topic-08.html");
    back->click();
    EXPECT_EQ(page(), "topic-47.html");
    EXPECT_FALSE(back->isEnabled());
    forward->click();
    EXPECT_EQ(page(), "topic-08.html");
    EXPECT_TRUE(forward->isEnabled());
}

TEST_F(HelpWindowTest, PagesTakeTheirStyleSheetAndLinksFromTheBook)
{
    ask(HelpCommand::HELP_CONTEXT, 35);
    const QUrl styleSheet = pageArea()->source().resolved(QUrl(QStringLiteral("sonorail-help.css")));
    EXPECT_TRUE(pageArea()->loadResource(QTextDocument::StyleSheetResource, styleSheet).toString().contains("{"));

    pageArea()->setSource(QUrl(QStringLiteral("topic-44.html")));
    EXPECT_EQ(page(), "topic-44.html") << "a link relative to the page stays in the book";
}

TEST_F(HelpWindowTest, IndexKeywordOpensItsPageOrOffersAChoiceOfPages)
{
    ask(HelpCommand::HELP_PARTIALKEY);
    lookUp(QStringLiteral("D-Bus"));
    EXPECT_EQ(page(), "topic-05.html");

    // "Delete key" is explained on two pages: the second one is chosen.
    QString offered;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* chooser = qobject_cast<QDialog*>(window);
            if (!chooser || chooser->objectName() != QLatin1String("TopicChooser") || !chooser->isVisible())
                continue;
            answer.stop();
            auto* topics = chooser->findChild<QListWidget*>(QStringLiteral("topicList"));
            for (int row = 0; row < topics->count(); ++row)
                offered += topics->item(row)->text() + QLatin1Char(';');
            topics->setCurrentRow(1);
            chooser->accept();
        }
    });
    answer.start();
    ask(HelpCommand::HELP_PARTIALKEY);
    lookUp(QStringLiteral("Delete key"));
    EXPECT_EQ(offered.count(QLatin1Char(';')), 2) << offered.toStdString();
    EXPECT_TRUE(page() == "topic-12.html" || page() == "topic-19.html") << page().toStdString();
}

TEST_F(HelpWindowTest, FullTextSearchFindsPagesByTheirWords)
{
    ask(HelpCommand::HELP_FINDER);
    auto* query = helpWindow()->findChild<QHelpSearchQueryWidget*>();
    auto* results = helpWindow()->findChild<QHelpSearchResultWidget*>();
    ASSERT_NE(query, nullptr);
    ASSERT_NE(results, nullptr);
    query->setSearchInput(QStringLiteral("Rmv"));
    // The book's words are indexed in the background at its first use: ask until it is done.
    const auto found = [&] {
        for (QTextBrowser* list : results->findChildren<QTextBrowser*>()) {
            if (list->toHtml().contains(QLatin1String("topic-20.html")))
                return true;
        }
        return false;
    };
    bool listed = false;
    for (int attempt = 0; attempt < 60 && !listed; ++attempt) {
        if (query->isEnabled())
            emit query->search();
        listed = qt_test::waitUntil(found, 500ms);
    }
    EXPECT_TRUE(listed) << "searching for a caption finds the page of its command";
}

TEST_F(HelpWindowTest, MissingOrDamagedBookGivesOneErrorNamingIt)
{
    const std::string missing = cache.file("nowhere/sonorail.qch");
    EXPECT_EQ(errorOf([&] { ask(HelpCommand::HELP_FINDER, 0, QString::fromStdString(missing)); }),
              "Cannot open file " + missing);
    EXPECT_FALSE(engine->moduleLoaded()) << "a missing book is found out before Qt Help is loaded";

    std::filesystem::create_directory(cache.file("folder.qch"));
    EXPECT_EQ(errorOf([&] { ask(HelpCommand::HELP_FINDER, 0, QString::fromStdString(cache.file("folder.qch"))); }),
              "Cannot open file " + cache.file("folder.qch"));

    ASSERT_EQ(::mkfifo(cache.file("pipe.qch").c_str(), 0600), 0);
    {
        const HangWatchdog watchdog("help with the book a named pipe");
        EXPECT_EQ(errorOf([&] { ask(HelpCommand::HELP_FINDER, 0, QString::fromStdString(cache.file("pipe.qch"))); }),
                  "Cannot open file " + cache.file("pipe.qch"));
    }

    cache.write("damaged.qch", "SQLite format 3, or so it says");
    EXPECT_EQ(errorOf([&] { ask(HelpCommand::HELP_FINDER, 0, QString::fromStdString(cache.file("damaged.qch"))); }),
              "Cannot read the help book " + cache.file("damaged.qch"));
    EXPECT_EQ(helpWindow(), nullptr);

    HelpBookEngine withoutModule(QString::fromStdString(cache.file("libnothing.so")), cacheFolder());
    EXPECT_EQ(errorOf([&] {
                  withoutModule.WinHelp(nullptr, kBook, HelpCommand::HELP_FINDER, 0);
              }).rfind("Cannot load the help window " + cache.file("libnothing.so"), 0),
              0u);
}

TEST_F(HelpWindowTest, CollectionIsRebuiltWhenDamagedAndKeptElsewhereWhenItsPlaceIsNotWritable)
{
    std::filesystem::create_directory(cache.file("help"));
    cache.write("help/sonorail.qhc", "not a database");
    ask(HelpCommand::HELP_CONTEXT, 47);
    EXPECT_EQ(page(), "topic-47.html");

    // A collection folder below a regular file cannot be made.
    cache.write("plain-file", "");
    engine = std::make_unique<HelpBookEngine>(QString::fromStdString(SONORAIL_HELP_MODULE),
                                              QString::fromStdString(cache.file("plain-file/help")));
    ask(HelpCommand::HELP_CONTEXT, 8);
    EXPECT_EQ(page(), "topic-08.html");
}

}  // namespace

namespace {

TEST(HelpModuleFileTest, BesideTheProgramElseWhereAnInstalledProgramKeepsIt)
{
    TempDir prefix;
    std::filesystem::create_directories(prefix.path() / "bin");
    const QString bin = QString::fromStdString(prefix.file("bin"));
    const QString installed = HelpBookEngine::moduleFileFor(bin);
    EXPECT_TRUE(installed.startsWith(QString::fromStdString(prefix.file("lib/")))) << installed.toStdString();
    EXPECT_TRUE(installed.endsWith(QLatin1String("/sonorail/libsonorail-help.so"))) << installed.toStdString();
    prefix.write("bin/libsonorail-help.so", "");
    EXPECT_EQ(HelpBookEngine::moduleFileFor(bin), QString::fromStdString(prefix.file("bin/libsonorail-help.so")));
}

}  // namespace
