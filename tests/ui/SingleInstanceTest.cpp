// The single-instance guard. Most cases start real copies of the probe program (a stand-in
// for the player around its guard) the way a user or a file manager would; each test keeps
// its locks and sockets in a runtime directory of its own.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QMap>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "support/QtEvents.h"
#include "support/TempDir.h"
#include "app/SingleInstanceGuard.h"

void PrintTo(const InstanceMessage& message, std::ostream* out)
{
    *out << "{token \"" << message.activationToken.toStdString() << "\", files ["
         << message.files.join(", ").toStdString() << "]}";
}

namespace {
using namespace std::chrono_literals;

constexpr int kGenerousWaitMs = 20000;

QString ToQString(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

QList<QByteArray> Bytes(const QStringList& names)
{
    QList<QByteArray> bytes;
    for (const QString& name : names)
        bytes.append(name.toUtf8());
    return bytes;
}

// Sets (or, with no value, removes) an environment variable until the end of the scope.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(const char* name, const std::optional<QByteArray>& value)
        : name(name), hadValue(qEnvironmentVariableIsSet(name)), oldValue(qgetenv(name))
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnvironmentVariable()
    {
        if (hadValue)
            qputenv(name, oldValue);
        else
            qunsetenv(name);
    }
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    const char* name;
    bool hadValue;
    QByteArray oldValue;
};

// One copy of the probe program, with its output split into lines.
class Probe {
public:
    explicit Probe(const QString& programDir, const QStringList& arguments = {},
                   const QMap<QString, QString>& environment = {})
    {
        QProcessEnvironment processEnvironment = QProcessEnvironment::systemEnvironment();
        processEnvironment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
        processEnvironment.remove(QStringLiteral("DESKTOP_STARTUP_ID"));
        // The guard reports its hand-over steps on this category; tests wait for them.
        processEnvironment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("sonorail.instance.debug=true"));
        for (auto variable = environment.begin(); variable != environment.end(); ++variable)
            processEnvironment.insert(variable.key(), variable.value());
        process.setProcessEnvironment(processEnvironment);
        process.setProgram(QStringLiteral(INSTANCE_PROBE));
        process.setArguments(QStringList{programDir} + arguments);
    }
    ~Probe() { Stop(); }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    void Start() { process.start(); }

    const QStringList& Lines()
    {
        Collect();
        return lines;
    }
    const QString& Errors()
    {
        Collect();
        return errors;
    }
    bool IsFirst() { return !Lines().isEmpty() && lines.front() == QLatin1String("first"); }

    // What the first copy reported receiving, in order.
    std::vector<InstanceMessage> Messages()
    {
        std::vector<InstanceMessage> messages;
        const QStringList& output = Lines();
        for (qsizetype i = 1; i < output.size(); ++i) {
            const QJsonObject object = QJsonDocument::fromJson(output[i].toUtf8()).object();
            InstanceMessage message;
            message.activationToken = object.value(QLatin1String("token")).toString();
            message.continuation = object.value(QLatin1String("continues")).toBool();
            for (const QJsonValue& file : object.value(QLatin1String("files")).toArray())
                message.files.append(file.toString().toUtf8());
            messages.push_back(message);
        }
        return messages;
    }

    bool HasExited()
    {
        Collect();
        return process.state() == QProcess::NotRunning;
    }
    bool ExitedCleanly()
    {
        return HasExited() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    // Closes standard input, which ends a first copy, and waits. The exit code, or -1 after a crash.
    int Stop()
    {
        if (process.state() != QProcess::NotRunning) {
            process.closeWriteChannel();
            if (!process.waitForFinished(kGenerousWaitMs)) {
                process.kill();
                process.waitForFinished(kGenerousWaitMs);
                return -1;
            }
        }
        Collect();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // SIGKILL: the copy dies the way a crash would, leaving its lock file and socket behind.
    void KillHard()
    {
        process.kill();
        process.waitForFinished(kGenerousWaitMs);
    }

private:
    void Collect()
    {
        pending += process.readAllStandardOutput();
        for (qsizetype newline = pending.indexOf('\n'); newline >= 0; newline = pending.indexOf('\n')) {
            lines.append(QString::fromUtf8(pending.left(newline)));
            pending.remove(0, newline + 1);
        }
        errors += QString::fromUtf8(process.readAllStandardError());
    }

    QProcess process;
    QByteArray pending;
    QStringList lines;
    QString errors;
};

class SingleInstanceTest : public ::testing::Test {
protected:
    QString ProgramDir(const QString& name) const
    {
        const std::filesystem::path dir = programDirs.path() / name.toStdString();
        std::filesystem::create_directories(dir);
        return ToQString(dir);
    }
    InstancePaths PathsOf(const QString& programDir) const
    {
        return InstancePathsFor(QFile::encodeName(programDir), runtimeRoot);
    }

    // Every lock file and socket of the test lives here, never in the user's own runtime directory.
    TempDir runtimeDir;
    TempDir programDirs;
    const QString runtimeRoot = ToQString(runtimeDir.path());
    ScopedEnvironmentVariable runtimeVariable{"XDG_RUNTIME_DIR", QFile::encodeName(runtimeRoot)};
};

class SingleInstanceNames : public SingleInstanceTest {};
class SingleInstanceWire : public SingleInstanceTest {};
class SingleInstanceProcesses : public SingleInstanceTest {
protected:
    // Starts a copy and waits until it reports being the first; empty when it does not.
    std::unique_ptr<Probe> StartFirstCopy(const QString& programDir)
    {
        auto probe = std::make_unique<Probe>(programDir);
        probe->Start();
        if (!qt_test::waitUntil([&] { return probe->IsFirst() || probe->HasExited(); }) || !probe->IsFirst()) {
            ADD_FAILURE() << "no first copy for " << programDir.toStdString()
                          << "; stderr: " << probe->Errors().toStdString();
            return nullptr;
        }
        return probe;
    }

    // Runs a second copy to its end; true when it ended at once, cleanly and silently.
    static bool HandOver(Probe& second)
    {
        second.Start();
        if (!qt_test::waitUntil([&] { return second.HasExited(); }))
            return false;
        EXPECT_TRUE(second.ExitedCleanly()) << second.Errors().toStdString();
        EXPECT_TRUE(second.Lines().isEmpty()) << second.Lines().join('|').toStdString();
        return second.ExitedCleanly() && second.Lines().isEmpty();
    }
};

// ---------------------------------------------------------------- names

TEST_F(SingleInstanceNames, OneDirectoryHasOneNameHoweverItIsSpelled)
{
    const QString player = ProgramDir(QStringLiteral("player"));
    const QString other = ProgramDir(QStringLiteral("other"));
    const QString alias = ToQString(programDirs.path() / "alias");
    std::filesystem::create_directory_symlink(player.toStdString(), alias.toStdString());

    const InstancePaths paths = PathsOf(player);
    EXPECT_EQ(PathsOf(player + QStringLiteral("/")).lockFile, paths.lockFile);
    EXPECT_EQ(PathsOf(ToQString(programDirs.path() / "other" / ".." / "player")).lockFile, paths.lockFile);
    EXPECT_EQ(PathsOf(alias).lockFile, paths.lockFile);
    EXPECT_EQ(PathsOf(alias).socket, paths.socket);
    EXPECT_NE(PathsOf(other).lockFile, paths.lockFile);
    EXPECT_NE(PathsOf(other).socket, paths.socket);

    // Not there yet, behind a link (a first run): the same name before and after it is made.
    const QString unmade = ToQString(programDirs.path() / "alias" / "new");
    const std::string unmadeLockFile = PathsOf(unmade).lockFile.toStdString();
    EXPECT_EQ(unmadeLockFile, PathsOf(player + QStringLiteral("/new")).lockFile.toStdString());
    std::filesystem::create_directory(programDirs.path() / "player" / "new");
    EXPECT_EQ(PathsOf(unmade).lockFile.toStdString(), unmadeLockFile);
    const QString pointsAhead = ToQString(programDirs.path() / "ahead");
    std::filesystem::create_directory_symlink(programDirs.path() / "later", pointsAhead.toStdString());
    const std::string aheadLockFile = PathsOf(pointsAhead).lockFile.toStdString();
    std::filesystem::create_directory(programDirs.path() / "later");
    EXPECT_EQ(PathsOf(pointsAhead).lockFile.toStdString(), aheadLockFile);

    EXPECT_NE(paths.lockFile, paths.socket);
    EXPECT_EQ(QFileInfo(paths.lockFile).absolutePath(), runtimeRoot);
    EXPECT_EQ(QFileInfo(paths.socket).absolutePath(), runtimeRoot);
    const QString userPrefix = QStringLiteral("sonorail-%1-").arg(getuid());
    EXPECT_TRUE(QFileInfo(paths.lockFile).fileName().startsWith(userPrefix)) << paths.lockFile.toStdString();
    EXPECT_TRUE(QFileInfo(paths.socket).fileName().startsWith(userPrefix)) << paths.socket.toStdString();

    // Names that differ only in bytes that are not UTF-8 are two directories.
    const QByteArray root = QByteArray::fromStdString(programDirs.path().string());
    const QByteArray latin1 = root + "/caf\xe9", other1252 = root + "/caf\xe8";
    std::filesystem::create_directory(latin1.toStdString());
    std::filesystem::create_directory(other1252.toStdString());
    EXPECT_NE(InstancePathsFor(latin1, runtimeRoot).lockFile, InstancePathsFor(other1252, runtimeRoot).lockFile);
    EXPECT_NE(InstancePathsFor(latin1, runtimeRoot).socket, InstancePathsFor(other1252, runtimeRoot).socket);
}

TEST_F(SingleInstanceNames, RuntimeDirectoryFallsBackToTempWhenXdgIsUnusable)
{
    EXPECT_EQ(InstanceRuntimeDirectory(), runtimeRoot);

    const QString tempPath = QDir::tempPath();
    {
        ScopedEnvironmentVariable unset("XDG_RUNTIME_DIR", std::nullopt);
        EXPECT_EQ(InstanceRuntimeDirectory(), tempPath);
    }
    {
        ScopedEnvironmentVariable relative("XDG_RUNTIME_DIR", QByteArray("relative/run"));
        EXPECT_EQ(InstanceRuntimeDirectory(), tempPath);
    }
    {
        ScopedEnvironmentVariable missing("XDG_RUNTIME_DIR", QFile::encodeName(runtimeRoot + "/gone"));
        EXPECT_EQ(InstanceRuntimeDirectory(), tempPath);
    }
    {
        runtimeDir.write("plain-file", "x");
        ScopedEnvironmentVariable notADirectory("XDG_RUNTIME_DIR", QByteArray(runtimeDir.file("plain-file").c_str()));
        EXPECT_EQ(InstanceRuntimeDirectory(), tempPath);
    }
    {
        // A socket path has room for about 107 bytes; a deeper directory cannot hold the socket.
        const std::filesystem::path deep = runtimeDir.path() / std::string(60, 'd') / std::string(60, 'e');
        std::filesystem::create_directories(deep);
        ScopedEnvironmentVariable tooDeep("XDG_RUNTIME_DIR", QByteArray(deep.c_str()));
        EXPECT_EQ(InstanceRuntimeDirectory(), tempPath);
    }
}

// ---------------------------------------------------------------- wire, against a guard in this process

TEST_F(SingleInstanceWire, DropsWhatIsNotAMessageAndKeepsServing)
{
    SingleInstanceGuard guard(QFile::encodeName(ProgramDir(QStringLiteral("player"))));
    ASSERT_FALSE(guard.guardSingleInstance({}));
    ASSERT_TRUE(guard.isListening());
    std::vector<InstanceMessage> received;
    QObject::connect(&guard, &SingleInstanceGuard::messageReceived,
                     [&](const InstanceMessage& message) { received.push_back(message); });

    std::vector<std::unique_ptr<QLocalSocket>> peers;
    auto connectPeer = [&]() -> QLocalSocket& {
        peers.push_back(std::make_unique<QLocalSocket>());
        peers.back()->connectToServer(guard.socketPath());
        EXPECT_TRUE(peers.back()->waitForConnected(kGenerousWaitMs));
        return *peers.back();
    };
    auto sendAndClose = [&](const QByteArray& bytes) {
        QLocalSocket& peer = connectPeer();
        peer.write(bytes);
        peer.disconnectFromServer();  // after the bytes have gone
    };

    QLocalSocket& idle = connectPeer();  // says nothing and stays: must not hold up the others
    sendAndClose("hello there\n");
    sendAndClose("[\"a-list.mp3\"]\n");
    sendAndClose("{\"token\":\"cut sh");
    sendAndClose("\xff\xfe{}\n");
    sendAndClose(QByteArray(2 << 20, 'x'));
    sendAndClose({});
    sendAndClose("{\"activate\":true,\"token\":\"plain\",\"files\":[\"a.mp3\"]}\n");
    sendAndClose("{\"token\":\"unended\",\"files\":[\"b.mp3\",42,null,\"c.mp3\"],\"later\":{\"x\":1}}");
    sendAndClose("{\"token\":\"one line only\",\"files\":[\"d.mp3\"]}\n{\"token\":\"second line\"}\n");
    sendAndClose(
        "{\"token\":\"in parts\",\"files\":[\"p1.mp3\"],\"more\":true}\n"
        "{\"continues\":true,\"token\":\"ignored\",\"files\":[\"p2.mp3\"]}\n"
        "{\"continues\":true,\"files\":[\"after the last part\"]}\n");
    QLocalSocket& slow = connectPeer();
    slow.write("{\"token\":\"in two\",");
    qt_test::runEventsFor(200ms);
    slow.write("\"files\":[\"e.mp3\"]}\n");

    const std::vector<InstanceMessage> expected{
        {QStringLiteral("plain"), {"a.mp3"}},         {QStringLiteral("unended"), {"b.mp3", "c.mp3"}},
        {QStringLiteral("one line only"), {"d.mp3"}}, {QStringLiteral("in two"), {"e.mp3"}},
        {QStringLiteral("in parts"), {"p1.mp3"}},     {QString(), {"p2.mp3"}, true},
    };
    ASSERT_TRUE(qt_test::waitUntil([&] { return received.size() >= expected.size(); })) << received.size();
    // Give any wrongly accepted garbage the chance to show up before comparing.
    ASSERT_TRUE(qt_test::waitUntil([&] {
        return std::all_of(peers.begin(), peers.end(), [&](const auto& peer) {
            return peer.get() == &idle || peer->state() == QLocalSocket::UnconnectedState;
        });
    }));
    auto byToken = [](const InstanceMessage& a, const InstanceMessage& b) {
        return a.activationToken < b.activationToken;
    };
    std::vector<InstanceMessage> sortedExpected = expected;
    std::sort(received.begin(), received.end(), byToken);
    std::sort(sortedExpected.begin(), sortedExpected.end(), byToken);
    EXPECT_EQ(received, sortedExpected);
    EXPECT_EQ(idle.state(), QLocalSocket::ConnectedState);

    // A second guard for the same directory still gets through, and leaves the socket alone.
    // File names keep their bytes, also those that are not UTF-8.
    received.clear();
    const InstanceMessage fromSecond{QStringLiteral("from second"),
                                     {"f.mp3", "/music/bad\xff\xfe.wav", "\xef\xbb\xbf.wav"}};
    {
        SingleInstanceGuard second(QFile::encodeName(ProgramDir(QStringLiteral("player"))));
        EXPECT_TRUE(second.guardSingleInstance(fromSecond));
        EXPECT_FALSE(second.isListening());
    }
    ASSERT_TRUE(qt_test::waitUntil([&] { return !received.empty(); }));
    EXPECT_EQ(received.front(), fromSecond);
    EXPECT_TRUE(QFile::exists(guard.socketPath()));
    EXPECT_TRUE(guard.isListening());
}

TEST_F(SingleInstanceWire, GuardGoingAwayDeliversNoHalfMessage)
{
    std::vector<InstanceMessage> received;
    QLocalSocket peer;
    {
        SingleInstanceGuard guard(QFile::encodeName(ProgramDir(QStringLiteral("player"))));
        ASSERT_FALSE(guard.guardSingleInstance({}));
        QObject::connect(&guard, &SingleInstanceGuard::messageReceived,
                         [&](const InstanceMessage& message) { received.push_back(message); });
        peer.connectToServer(guard.socketPath());
        ASSERT_TRUE(peer.waitForConnected(kGenerousWaitMs));
        peer.write("{\"token\":\"not finished\"}");  // parses, but the newline never comes
        ASSERT_TRUE(peer.waitForBytesWritten(kGenerousWaitMs));
        qt_test::runEventsFor(200ms);
    }
    EXPECT_TRUE(received.empty());
}

// ---------------------------------------------------------------- real processes

TEST_F(SingleInstanceProcesses, SecondCopyHandsOverTokenAndFilesThenEnds)
{
    const QString dir = ProgramDir(QStringLiteral("player"));
    const std::unique_ptr<Probe> first = StartFirstCopy(dir);
    ASSERT_TRUE(first);

    const QStringList files{QStringLiteral("/music/a.mp3"), QStringLiteral("relative dir/b c.flac"),
                            QStringLiteral("ünïcödé ♫ \"quoted\".ogg")};
    Probe fromWayland(dir, files,
                      {{QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("wayland-token-1")},
                       {QStringLiteral("DESKTOP_STARTUP_ID"), QStringLiteral("loses-to-xdg")}});
    ASSERT_TRUE(HandOver(fromWayland));
    ASSERT_TRUE(qt_test::waitUntil([&] { return first->Messages().size() == 1; })) << first->Errors().toStdString();

    Probe fromX11(dir, {}, {{QStringLiteral("DESKTOP_STARTUP_ID"), QStringLiteral("x11-startup-7")}});
    ASSERT_TRUE(HandOver(fromX11));
    ASSERT_TRUE(qt_test::waitUntil([&] { return first->Messages().size() == 2; }));

    Probe withoutToken(dir, {QStringLiteral("only-a-file.wav")});
    ASSERT_TRUE(HandOver(withoutToken));
    ASSERT_TRUE(qt_test::waitUntil([&] { return first->Messages().size() == 3; }));

    const std::vector<InstanceMessage> expected{
        {QStringLiteral("wayland-token-1"), Bytes(files)},
        {QStringLiteral("x11-startup-7"), {}},
        {QString(), {"only-a-file.wav"}},
    };
    EXPECT_EQ(first->Messages(), expected);

    // Ending cleanly, the first copy takes its lock file and socket with it.
    const InstancePaths paths = PathsOf(dir);
    EXPECT_TRUE(QFile::exists(paths.lockFile));
    EXPECT_EQ(first->Stop(), 0) << first->Errors().toStdString();
    EXPECT_FALSE(QFile::exists(paths.lockFile));
    EXPECT_FALSE(QFile::exists(paths.socket));
    EXPECT_TRUE(QDir(runtimeRoot).isEmpty()) << QDir(runtimeRoot).entryList().join(' ').toStdString();
}

TEST_F(SingleInstanceProcesses, CopiesStartedTogetherElectExactlyOneFirst)
{
    constexpr int kRounds = 3;
    constexpr int kCopies = 4;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        const QString dir = ProgramDir(QStringLiteral("race%1").arg(round));
        std::vector<std::unique_ptr<Probe>> copies;
        for (int i = 0; i < kCopies; ++i) {
            copies.push_back(std::make_unique<Probe>(
                dir, QStringList{QStringLiteral("file-%1.mp3").arg(i)},
                QMap<QString, QString>{{QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("copy-%1").arg(i)}}));
        }
        for (auto& copy : copies)
            copy->Start();

        auto settled = [&] {
            return std::all_of(copies.begin(), copies.end(),
                               [](auto& copy) { return copy->IsFirst() || copy->HasExited(); });
        };
        ASSERT_TRUE(qt_test::waitUntil(settled));
        std::vector<Probe*> firsts;
        QStringList expectedTokens;
        for (int i = 0; i < kCopies; ++i) {
            if (copies[i]->IsFirst()) {
                firsts.push_back(copies[i].get());
            } else {
                EXPECT_TRUE(copies[i]->ExitedCleanly()) << copies[i]->Errors().toStdString();
                EXPECT_TRUE(copies[i]->Lines().isEmpty());
                expectedTokens.append(QStringLiteral("copy-%1").arg(i));
            }
        }
        ASSERT_EQ(firsts.size(), 1u);
        Probe& first = *firsts.front();
        ASSERT_TRUE(qt_test::waitUntil([&] { return first.Messages().size() >= size_t(kCopies - 1); }))
            << first.Lines().join('|').toStdString();

        QStringList receivedTokens;
        for (const InstanceMessage& message : first.Messages()) {
            receivedTokens.append(message.activationToken);
            const QString index = message.activationToken.section('-', 1);
            EXPECT_EQ(message.files, QList<QByteArray>{QStringLiteral("file-%1.mp3").arg(index).toUtf8()});
        }
        receivedTokens.sort();
        EXPECT_EQ(receivedTokens, expectedTokens);
        EXPECT_EQ(first.Stop(), 0) << first.Errors().toStdString();
    }
}

TEST_F(SingleInstanceProcesses, KilledFirstCopyDoesNotBlockTheNextStart)
{
    const QString dir = ProgramDir(QStringLiteral("player"));
    const InstancePaths paths = PathsOf(dir);
    {
        const std::unique_ptr<Probe> crashed = StartFirstCopy(dir);
        ASSERT_TRUE(crashed);
        crashed->KillHard();
    }
    ASSERT_TRUE(QFile::exists(paths.lockFile));
    ASSERT_TRUE(QFile::exists(paths.socket));

    const std::unique_ptr<Probe> next = StartFirstCopy(dir);
    ASSERT_TRUE(next);
    Probe second(dir, {QStringLiteral("after-crash.mp3")});
    ASSERT_TRUE(HandOver(second));
    ASSERT_TRUE(qt_test::waitUntil([&] { return next->Messages().size() == 1; }));
    EXPECT_EQ(next->Messages().front().files, QList<QByteArray>{"after-crash.mp3"});
}

// A lock file naming a process that no longer exists, beside a socket nobody listens on.
TEST_F(SingleInstanceProcesses, LeftoverLockAndSocketOfADeadProcessDoNotBlockStart)
{
    const QString dir = ProgramDir(QStringLiteral("player"));
    const InstancePaths paths = PathsOf(dir);

    const pid_t deadPid = fork();
    ASSERT_GE(deadPid, 0);
    if (deadPid == 0)
        _exit(0);
    ASSERT_EQ(waitpid(deadPid, nullptr, 0), deadPid);

    // A lock file as QLockFile writes it, with the dead process's PID on its first line.
    QByteArray lockContents;
    {
        QLockFile sample(runtimeRoot + QStringLiteral("/sample.lock"));
        ASSERT_TRUE(sample.tryLock(0));
        QFile written(runtimeRoot + QStringLiteral("/sample.lock"));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        lockContents = written.readAll();
    }
    lockContents = QByteArray::number(deadPid) + lockContents.mid(lockContents.indexOf('\n'));
    runtimeDir.write(QFileInfo(paths.lockFile).fileName().toStdString(), lockContents.toStdString());

    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(paths.socket).constData(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    close(fd);
    ASSERT_TRUE(QFile::exists(paths.socket));

    const std::unique_ptr<Probe> first = StartFirstCopy(dir);
    ASSERT_TRUE(first);
    Probe second(dir, {QStringLiteral("x.mp3")});
    ASSERT_TRUE(HandOver(second));
    ASSERT_TRUE(qt_test::waitUntil([&] { return first->Messages().size() == 1; }));
}

// A lock file cut short (full disk, crash while writing) has no PID to check.
TEST_F(SingleInstanceProcesses, OldUnreadableLockFileDoesNotBlockStart)
{
    const QString dir = ProgramDir(QStringLiteral("player"));
    const InstancePaths paths = PathsOf(dir);
    const std::string lockName = QFileInfo(paths.lockFile).fileName().toStdString();
    runtimeDir.write(lockName, "");
    std::filesystem::last_write_time(runtimeDir.file(lockName), std::filesystem::file_time_type::clock::now() - 1min);

    const std::unique_ptr<Probe> first = StartFirstCopy(dir);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->Errors().contains(QLatin1String("unreadable lock file"))) << first->Errors().toStdString();
}

TEST_F(SingleInstanceProcesses, DifferentProgramDirectoriesRunSideBySide)
{
    const QString dirA = ProgramDir(QStringLiteral("a"));
    const QString dirB = ProgramDir(QStringLiteral("b"));
    const std::unique_ptr<Probe> firstA = StartFirstCopy(dirA);
    const std::unique_ptr<Probe> firstB = StartFirstCopy(dirB);
    ASSERT_TRUE(firstA);
    ASSERT_TRUE(firstB);

    Probe toB(dirB, {QStringLiteral("for-b.mp3")});
    ASSERT_TRUE(HandOver(toB));
    ASSERT_TRUE(qt_test::waitUntil([&] { return firstB->Messages().size() == 1; }));
    Probe toA(dirA, {QStringLiteral("for-a.mp3")});
    ASSERT_TRUE(HandOver(toA));
    ASSERT_TRUE(qt_test::waitUntil([&] { return firstA->Messages().size() == 1; }));

    EXPECT_EQ(firstA->Messages().front().files, QList<QByteArray>{"for-a.mp3"});
    EXPECT_EQ(firstB->Messages().front().files, QList<QByteArray>{"for-b.mp3"});
    EXPECT_EQ(firstA->Stop(), 0);
    EXPECT_EQ(firstB->Stop(), 0);
}

// The lock holder here is this test, which starts listening only once the new copy is waiting;
// what arrives is the raw wire message.
TEST_F(SingleInstanceProcesses, CopyWaitsForAFirstCopyThatIsNotListeningYet)
{
    const QString dir = ProgramDir(QStringLiteral("player"));
    const InstancePaths paths = PathsOf(dir);
    QLockFile holder(paths.lockFile);
    ASSERT_TRUE(holder.tryLock(0));

    Probe late(dir, {QStringLiteral("queued.mp3")}, {{QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("late")}});
    late.Start();
    ASSERT_TRUE(qt_test::waitUntil([&] { return late.Errors().contains(QLatin1String("not listening yet")); }))
        << late.Errors().toStdString();

    QLocalServer server;
    QLocalServer::removeServer(paths.socket);
    ASSERT_TRUE(server.listen(paths.socket)) << server.errorString().toStdString();
    ASSERT_TRUE(server.waitForNewConnection(kGenerousWaitMs));
    QLocalSocket* peer = server.nextPendingConnection();
    ASSERT_TRUE(peer);
    QByteArray wire;
    ASSERT_TRUE(qt_test::waitUntil([&] {
        peer->waitForReadyRead(10);
        wire += peer->readAll();
        return wire.endsWith('\n');
    })) << wire.toStdString();

    EXPECT_EQ(wire.count('\n'), 1);
    const QJsonObject object = QJsonDocument::fromJson(wire).object();
    EXPECT_EQ(object.value(QLatin1String("activate")), QJsonValue(true));
    EXPECT_EQ(object.value(QLatin1String("token")), QJsonValue(QStringLiteral("late")));
    EXPECT_EQ(object.value(QLatin1String("files")), QJsonValue(QJsonArray{QStringLiteral("queued.mp3")}));
    ASSERT_TRUE(qt_test::waitUntil([&] { return late.HasExited(); }));
    EXPECT_TRUE(late.ExitedCleanly());
    EXPECT_TRUE(late.Lines().isEmpty());
}

TEST_F(SingleInstanceProcesses, CopyBecomesFirstWhenTheLockHolderGoesAway)
{
    const QString dir = ProgramDir(QStringLiteral("player"));
    QLockFile holder(PathsOf(dir).lockFile);
    ASSERT_TRUE(holder.tryLock(0));

    Probe waiting(dir);
    waiting.Start();
    ASSERT_TRUE(qt_test::waitUntil([&] { return waiting.Errors().contains(QLatin1String("not listening yet")); }))
        << waiting.Errors().toStdString();
    holder.unlock();
    ASSERT_TRUE(qt_test::waitUntil([&] { return waiting.IsFirst() || waiting.HasExited(); }));
    ASSERT_TRUE(waiting.IsFirst()) << waiting.Errors().toStdString();

    Probe second(dir, {QStringLiteral("y.mp3")});
    ASSERT_TRUE(HandOver(second));
    ASSERT_TRUE(qt_test::waitUntil([&] { return waiting.Messages().size() == 1; }));
}

TEST_F(SingleInstanceProcesses, CopyGoesOnAloneWhenTheLockHolderNeverAnswers)
{
    const QString dir = ProgramDir(QStringLiteral("player"));
    QLockFile holder(PathsOf(dir).lockFile);
    ASSERT_TRUE(holder.tryLock(0));

    Probe alone(dir, {QStringLiteral("--hand-over-timeout-ms"), QStringLiteral("500")});
    alone.Start();
    ASSERT_TRUE(qt_test::waitUntil([&] { return alone.IsFirst() || alone.HasExited(); }));
    EXPECT_TRUE(alone.IsFirst());
    EXPECT_TRUE(alone.Errors().contains(QLatin1String("does not answer"))) << alone.Errors().toStdString();
}

// A message line holds at most 1 MiB; a copy started with more file names than fit (5000
// of 260 bytes) hands all of them over in order, over several lines, and the window comes
// forward once.
TEST_F(SingleInstanceProcesses, HugeFileListIsHandedOverWhole)
{
    const QString dir = ProgramDir(QStringLiteral("player"));
    const std::unique_ptr<Probe> first = StartFirstCopy(dir);
    ASSERT_TRUE(first);

    QStringList files;
    for (int i = 0; i < 5000; ++i)
        files.append(QStringLiteral("/music/%1/").arg(i, 5, 10, QLatin1Char('0')) + QString(247, QLatin1Char('n')));
    Probe second(dir, files, {{QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("huge")}});
    ASSERT_TRUE(HandOver(second));

    QList<QByteArray> received;
    ASSERT_TRUE(qt_test::waitUntil([&] {
        received.clear();
        for (const InstanceMessage& message : first->Messages())
            received += message.files;
        return received.size() >= files.size();
    })) << received.size()
        << " " << first->Errors().toStdString();
    EXPECT_EQ(received, Bytes(files));
    const std::vector<InstanceMessage> messages = first->Messages();
    ASSERT_GT(messages.size(), 1u);
    EXPECT_EQ(messages.front().activationToken, QStringLiteral("huge"));
    EXPECT_FALSE(messages.front().continuation);
    EXPECT_TRUE(std::all_of(messages.begin() + 1, messages.end(),
                            [](const InstanceMessage& message) { return message.continuation; }));
}

}  // namespace
