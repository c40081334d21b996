#pragma once
// Keeps one copy of the program per user and program directory. A second copy hands
// its request to the running one over a local socket and ends; the lock file, not the
// socket, decides which copy is the first, so two copies started together never both win.
#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// What a second copy hands to the running one. New fields must stay optional on the
// wire, because a copy of another version may be on the other end.
struct InstanceMessage {
    QString activationToken;  // lets the running copy raise its window on Wayland / X11 startup notification
    QList<QByteArray> files;  // file names to add to the queue, as the file system spells them
    // More files of the message before it, from the same copy: nothing comes forward again.
    bool continuation = false;

    friend bool operator==(const InstanceMessage&, const InstanceMessage&) = default;
};
Q_DECLARE_METATYPE(InstanceMessage)

// A message for the running copy carrying this process's activation token
// (XDG_ACTIVATION_TOKEN, else DESKTOP_STARTUP_ID) and the given files.
InstanceMessage InstanceMessageFromEnvironment(const QList<QByteArray>& files = {});

// Where the guards keep their lock files and sockets: $XDG_RUNTIME_DIR when it is an
// absolute, writable directory, else the temporary directory.
QString InstanceRuntimeDirectory();

struct InstancePaths {
    QString lockFile;
    QString socket;
};
// The lock file and socket of one program directory (its name's bytes) inside runtimeDir.
// Both names carry the user's uid and a hash of the canonical directory's bytes, so users and
// directories never meet, also where two names differ only in bytes that are not UTF-8.
InstancePaths InstancePathsFor(const QByteArray& programDir, const QString& runtimeDir);

class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    // programDir: the directory's name as the file system spells it.
    explicit SingleInstanceGuard(const QByteArray& programDir, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // True when another copy is already running: it has been handed `message` (asked to
    // come forward) and the caller must end at once with status 0, without showing a window.
    // False: this copy goes on. Normally it is then the first copy, which keeps the lock and
    // listens until the guard is destroyed; when no guard can be set up (the lock file cannot
    // be created, or the copy holding the lock never answers) it goes on unguarded after a warning.
    bool guardSingleInstance(const InstanceMessage& message);

    // How long a second copy keeps trying to reach a first copy that holds the lock but is
    // not listening yet, before it goes on by itself.
    void setHandOverTimeout(std::chrono::milliseconds timeout) { handOverTimeout = timeout; }

    const QString& lockFilePath() const { return paths.lockFile; }
    const QString& socketPath() const { return paths.socket; }
    bool isListening() const;

signals:
    // In the first copy, on the thread that owns the guard (the UI thread).
    void messageReceived(const InstanceMessage& message);

private:
    enum class HandOver { Delivered, BecameFirst, GaveUp };

    HandOver handOverOrBecomeFirst(const QByteArray& wireMessage);
    bool tryTakeLock();
    void removeLockLeftWithoutOwner();
    bool trySend(const QByteArray& wireMessage, std::chrono::milliseconds timeout);
    void startListening();
    void acceptPendingPeers();
    void readMessageFrom(QLocalSocket* peer);

    InstancePaths paths;
    std::chrono::milliseconds handOverTimeout{std::chrono::seconds(10)};
    std::unique_ptr<QLockFile> lock;
    bool holdsLock = false;
    std::unique_ptr<QLocalServer> server;  // declared after the lock: it must close before the lock is freed
};
