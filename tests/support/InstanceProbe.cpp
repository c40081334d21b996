// A stand-in for the program around its single-instance guard, for the process tests.
//
//   instance_probe PROGRAM_DIR [--hand-over-timeout-ms N] [FILE...]
//
// A second copy hands its message (activation token from the environment, the FILEs) to the
// running copy, prints nothing and exits 0. The first copy prints "first", then one line per
// message received: {"token":"...","files":[...],"continues":false}. It ends when its standard
// input closes or says "quit", when a message's token is "quit", or after two minutes, so a
// test that loses track of it never leaves it behind.
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <QTimer>

#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "app/SingleInstanceGuard.h"

namespace {
using namespace std::chrono_literals;

constexpr auto kLifetimeLimit = 2min;

void PrintLine(const QByteArray& line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QByteArray Describe(const InstanceMessage& message)
{
    QStringList fileTexts;
    for (const QByteArray& file : message.files)
        fileTexts.append(QString::fromUtf8(file));
    const QJsonObject object{
        {QStringLiteral("token"), message.activationToken},
        {QStringLiteral("files"), QJsonArray::fromStringList(fileTexts)},
        {QStringLiteral("continues"), message.continuation},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// Quits on end of input or a "quit" line; anything else on stdin is ignored.
void QuitWhenStdinSaysSo(QSocketNotifier& notifier)
{
    QObject::connect(&notifier, &QSocketNotifier::activated, [&notifier] {
        char buffer[256];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0 || QByteArray::fromRawData(buffer, count).contains("quit")) {
            notifier.setEnabled(false);
            QCoreApplication::quit();
        }
    });
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        std::fputs("usage: instance_probe PROGRAM_DIR [--hand-over-timeout-ms N] [FILE...]\n", stderr);
        return 2;
    }
    const QByteArray programDir = QFile::encodeName(arguments.takeFirst());
    SingleInstanceGuard guard(programDir);
    if (arguments.size() >= 2 && arguments.front() == QLatin1String("--hand-over-timeout-ms")) {
        arguments.removeFirst();
        guard.setHandOverTimeout(std::chrono::milliseconds(arguments.takeFirst().toInt()));
    }

    QList<QByteArray> files;
    for (const QString& file : std::as_const(arguments))
        files.append(QFile::encodeName(file));
    if (guard.guardSingleInstance(InstanceMessageFromEnvironment(files)))
        return 0;

    PrintLine("first");
    QObject::connect(&guard, &SingleInstanceGuard::messageReceived, [](const InstanceMessage& message) {
        PrintLine(Describe(message));
        if (message.activationToken == QLatin1String("quit"))
            QCoreApplication::quit();
    });
    QSocketNotifier stdinNotifier(STDIN_FILENO, QSocketNotifier::Read);
    QuitWhenStdinSaysSo(stdinNotifier);
    QTimer::singleShot(kLifetimeLimit, &app, &QCoreApplication::quit);
    return app.exec();
}
