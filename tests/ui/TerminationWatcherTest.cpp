#include "app/TerminationWatcher.h"

#include <QApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>

#include "support/QtEvents.h"

namespace {

using namespace std::chrono_literals;

// Keeps this test's application running when the watcher asks it to quit; installed before
// the watcher, so the watcher sees the request first.
struct SwallowQuit final : QObject {
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Quit; }
};

// SIGTERM reaches the watcher, then the quit it asks for, then maybe the session manager's
// own quit request: one termination, one quiet exit.
TEST(TerminationWatcher, OneTerminationMakesOneQuietExit)
{
    SwallowQuit swallow;
    qApp->installEventFilter(&swallow);
    int quietExits = 0;
    {
        TerminationWatcher watcher([&quietExits] { ++quietExits; });
        ASSERT_EQ(std::raise(SIGTERM), 0);
        EXPECT_TRUE(qt_test::waitUntil([&] { return quietExits > 0; }));
        qt_test::runEventsFor(50ms);  // the queued quit request
        QEvent quit(QEvent::Quit);
        QApplication::sendEvent(qApp, &quit);
        QApplication::sendEvent(qApp, &quit);
    }
    qApp->removeEventFilter(&swallow);
    EXPECT_EQ(quietExits, 1);
}

}  // namespace
