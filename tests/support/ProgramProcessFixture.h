#pragma once
// The real program as separate processes, each watched through the lines its start-up
// probe prints (SONORAIL_STARTUP_PROBE=report) and answered through its standard input.
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <memory>

#include "support/TempDir.h"

class ProgramProcessFixture : public ::testing::Test {
protected:
    static constexpr int kGenerousMs = 20000;

    // A copy of the program with its files in `home`, on Qt's offscreen platform. Other
    // variables of its environment may be given; an empty value removes the variable.
    std::unique_ptr<QProcess> startCopy(const QStringList& arguments = {},
                                        const std::map<QString, QString>& variables = {},
                                        const QString& executable = SONORAIL_EXECUTABLE)
    {
        auto copy = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("SONORAIL_HOME", QString::fromStdString(home.path().string()));
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(home.path().string()));
        environment.insert("SONORAIL_STARTUP_PROBE", "report");
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        for (const auto& [name, value] : variables) {
            if (value.isEmpty())
                environment.remove(name);
            else
                environment.insert(name, value);
        }
        copy->setProcessEnvironment(environment);
        // As from a terminal: a test run started in the background, which ignores Ctrl+C
        // and hang-ups, does not hand that on.
        copy->setChildProcessModifier([] {
            ::signal(SIGINT, SIG_DFL);
            ::signal(SIGHUP, SIG_DFL);
        });
        copy->start(executable, arguments);
        EXPECT_TRUE(copy->waitForStarted(kGenerousMs));
        return copy;
    }

    // The next line the copy prints, without its line end; "" when it prints none in time.
    static QByteArray nextLine(QProcess& copy)
    {
        while (!copy.canReadLine()) {
            if (copy.state() == QProcess::NotRunning || !copy.waitForReadyRead(kGenerousMs))
                return {};
        }
        return copy.readLine().chopped(1);
    }

    // True once the copy has printed `line` (it prints "shown" at its first paint, and its
    // queue whenever the queue changes).
    static bool printsLine(QProcess& copy, const QByteArray& line)
    {
        for (;;) {
            while (copy.canReadLine()) {
                if (copy.readLine() == line + "\n")
                    return true;
            }
            if (copy.state() == QProcess::NotRunning || !copy.waitForReadyRead(kGenerousMs))
                return false;
        }
    }

    static bool showsItsWindow(QProcess& copy) { return printsLine(copy, "shown"); }

    // Closes the copy's open modal window (a message box, the welcome window) with its
    // default button.
    static void pressOk(QProcess& copy) { copy.write("ok\n"); }

    static bool endsWithStatusZero(QProcess& copy)
    {
        copy.waitForFinished(kGenerousMs);
        return copy.state() == QProcess::NotRunning && copy.exitStatus() == QProcess::NormalExit &&
               copy.exitCode() == 0;
    }

    TempDir home;
};
