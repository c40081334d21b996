#pragma once
// Driving Qt from a window or process test: events delivered for a while or until something
// holds, keys pressed, files read whole.
#include <QApplication>
#include <QByteArray>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace qt_test {

// Lets the event loop run for a while (timers fire, sockets deliver, dialogs close).
inline void runEventsFor(std::chrono::milliseconds duration)
{
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

// Delivers events until condition holds; false when it still does not after timeout.
inline bool waitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(20))
{
    const QDeadlineTimer deadline(timeout);
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (condition())
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
}

// A key pressed on target, as the keyboard would send it.
inline void pressKey(QObject* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

// The whole content of a file the test needs (a failure to open it fails the test).
inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

}  // namespace qt_test
