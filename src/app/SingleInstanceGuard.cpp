#include "app/SingleInstanceGuard.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>
#include <QPointer>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>

#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <optional>

namespace {
using namespace std::chrono_literals;

// Quiet by default; QT_LOGGING_RULES="sonorail.instance.debug=true" shows the hand-over steps.
Q_LOGGING_CATEGORY(lcInstance, "sonorail.instance", QtWarningMsg)

// No copy of this program sends a longer line; a longer one comes from something else and
// ends the conversation.
constexpr qsizetype kMaxMessageBytes = qsizetype(1) << 20;
constexpr auto kRetryInterval = 50ms;
// A peer that connects and then stalls must not hold its socket open forever.
constexpr auto kPeerReadTimeout = 10s;
// How long a second copy waits for its message to leave before it ends anyway.
constexpr auto kWriteTimeout = 5s;
constexpr auto kDisconnectTimeout = 1s;
// A lock file younger than this may belong to a copy that has created it but not yet written its PID.
constexpr auto kUnreadableLockGrace = 2s;

int ToTimeoutMs(std::chrono::milliseconds timeout)
{
    return int(std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 1, 60'000));
}

// ---- wire format: compact JSON objects, one per line, on one connection ----
//
// The first line is the message: {"activate":true,"token":...,"files":[...]}. Files that do
// not fit into one line follow in lines of their own, {"continues":true,"files":[...]}, in
// order; every line but the last says "more":true. A running copy of an older version reads
// the first line only.
//
// A file name is a JSON string when its bytes are UTF-8, as older versions wrote every name;
// a name that is not UTF-8 (a JSON string cannot carry its bytes) is {"base64":"..."}, which
// older versions skip rather than queue a mangled name.

const QLatin1String kBase64Key("base64");

QJsonValue EncodeFileName(const QByteArray& name)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(name);
    if (!utf8.hasError() && text.toUtf8() == name)  // a leading byte-order mark would be lost
        return text;
    return QJsonObject{{kBase64Key, QString::fromLatin1(name.toBase64())}};
}

std::optional<QByteArray> DecodeFileName(const QJsonValue& value)
{
    if (value.isString())
        return value.toString().toUtf8();
    const QJsonValue encoded = value.toObject().value(kBase64Key);
    if (!encoded.isString())
        return std::nullopt;
    const auto decoded =
        QByteArray::fromBase64Encoding(encoded.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return *decoded;
}

QByteArray EncodeLine(const QJsonObject& head, const QJsonArray& files, bool more = false)
{
    QJsonObject object = head;
    object.insert(QStringLiteral("files"), files);
    if (more)
        object.insert(QStringLiteral("more"), true);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

// The bytes a file name adds to a line's list: the name in JSON, and a comma.
qsizetype EncodedSize(const QJsonValue& file)
{
    return QJsonDocument(QJsonArray{file}).toJson(QJsonDocument::Compact).size() - 1;
}

// The message as lines of at most kMaxMessageBytes each, every file in its order. A name
// that cannot fit into a line of its own names no file and is left out.
QByteArray EncodeMessage(InstanceMessage message)
{
    QJsonObject head{{QStringLiteral("activate"), true}, {QStringLiteral("token"), message.activationToken}};
    if (EncodeLine(head, {}).size() > kMaxMessageBytes) {
        message.activationToken.clear();  // no real token is that long
        head.insert(QStringLiteral("token"), QString());
    }
    const QJsonObject continued{{QStringLiteral("continues"), true}};
    const qsizetype emptyLine = EncodeLine(continued, {}, true).size();
    QByteArray wire;
    QJsonArray files;
    qsizetype lineSize = EncodeLine(head, {}, true).size();
    for (const QByteArray& name : std::as_const(message.files)) {
        const QJsonValue file = EncodeFileName(name);
        const qsizetype size = EncodedSize(file);
        if (emptyLine + size > kMaxMessageBytes) {
            qCWarning(lcInstance) << "Left out a file name of" << name.size() << "bytes: no file has one that long.";
            continue;
        }
        if (lineSize + size > kMaxMessageBytes) {
            wire += EncodeLine(wire.isEmpty() ? head : continued, files, true);
            files = QJsonArray();
            lineSize = emptyLine;
        }
        files.append(file);
        lineSize += size;
    }
    return wire + EncodeLine(wire.isEmpty() ? head : continued, files);
}

// One line as received: its part of the message, and whether another line follows.
struct WireLine {
    InstanceMessage message;
    bool more = false;
};

// Fields this version does not know are ignored, so newer copies can add some.
std::optional<WireLine> DecodeLine(const QByteArray& line)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    WireLine decoded;
    InstanceMessage& message = decoded.message;
    message.continuation = object.value(QLatin1String("continues")).toBool();
    decoded.more = object.value(QLatin1String("more")).toBool();
    if (!message.continuation)
        message.activationToken = object.value(QLatin1String("token")).toString();
    const QJsonArray files = object.value(QLatin1String("files")).toArray();
    for (const QJsonValue& file : files) {
        if (std::optional<QByteArray> name = DecodeFileName(file))
            message.files.append(*name);
    }
    return decoded;
}

// The line, if the conversation goes on with it: the first line must be a message, and only
// lines that continue it may follow (anything else ends the conversation, as a running copy
// of an older version ignores what follows its first line).
std::optional<WireLine> TakeLine(const QByteArray& line, bool first)
{
    if (first && line.trimmed().isEmpty())
        return std::nullopt;  // a peer that connected and said nothing
    std::optional<WireLine> decoded = DecodeLine(line);
    if (!decoded) {
        qCWarning(lcInstance) << "Dropped a malformed message of" << line.size() << "bytes from a peer.";
        return std::nullopt;
    }
    if (first == decoded->message.continuation)
        return std::nullopt;
    return decoded;
}

// ---- names ----

// The directory with every link resolved, also where it does not exist yet: the first copy
// names its guard before it creates the directory, and a link on the way (~/.config
// pointing elsewhere) must give later copies the same name. A link whose target is missing
// is followed as far as it leads.
QByteArray CanonicalDirectory(const QByteArray& programDir)
{
    namespace fs = std::filesystem;
    constexpr int kMostLinks = 40;  // a loop of links ends here
    std::error_code error;
    const fs::path below = fs::absolute(programDir.toStdString(), error).relative_path();
    std::deque<fs::path> rest(below.begin(), below.end());
    fs::path resolved = "/";
    int linksFollowed = 0;
    while (!rest.empty()) {
        const fs::path part = rest.front();
        rest.pop_front();
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            resolved = resolved.parent_path();
            continue;
        }
        const fs::path candidate = resolved / part;
        if (!fs::is_symlink(fs::symlink_status(candidate, error)) || ++linksFollowed > kMostLinks) {
            resolved = candidate;
            continue;
        }
        const fs::path target = fs::read_symlink(candidate, error);
        if (target.is_absolute())
            resolved = "/";
        const fs::path targetRest = target.relative_path();
        rest.insert(rest.begin(), targetRest.begin(), targetRest.end());
    }
    return QByteArray::fromStdString(resolved.string());
}

bool IsUsableRuntimeDirectory(const QString& path)
{
    if (path.isEmpty() || QDir::isRelativePath(path))
        return false;
    const QFileInfo info(path);
    if (!info.isDir() || !info.isWritable())
        return false;
    // A Unix socket path has a small fixed limit. Every name has the same length for one
    // user, so any program directory tells whether ours fit here.
    const QByteArray socketPath = QFile::encodeName(InstancePathsFor("/", path).socket);
    return socketPath.size() < qsizetype(sizeof(sockaddr_un::sun_path));
}

}  // namespace

InstanceMessage InstanceMessageFromEnvironment(const QList<QByteArray>& files)
{
    InstanceMessage message;
    for (const char* variable : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
        message.activationToken = qEnvironmentVariable(variable);
        if (!message.activationToken.isEmpty())
            break;
    }
    message.files = files;
    return message;
}

QString InstanceRuntimeDirectory()
{
    for (const QString& candidate :
         {qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(), QStringLiteral("/tmp")}) {
        if (IsUsableRuntimeDirectory(candidate))
            return candidate;
    }
    return QDir::tempPath();  // nothing usable: the guard will warn and the program goes on unguarded
}

// The hash of a directory named in UTF-8 is the one earlier versions took of its text, so a
// running copy of such a version is still found.
InstancePaths InstancePathsFor(const QByteArray& programDir, const QString& runtimeDir)
{
    const QByteArray digest =
        QCryptographicHash::hash(CanonicalDirectory(programDir), QCryptographicHash::Sha1).toHex();
    const QString base =
        QDir(runtimeDir)
            .filePath(QStringLiteral("sonorail-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest.left(16))));
    return {base + QStringLiteral(".lock"), base + QStringLiteral(".socket")};
}

// ---- the guard ----

SingleInstanceGuard::SingleInstanceGuard(const QByteArray& programDir, QObject* parent)
    : QObject(parent),
      paths(InstancePathsFor(programDir, InstanceRuntimeDirectory())),
      lock(std::make_unique<QLockFile>(paths.lockFile))
{
    // Only a lock whose owner has died is stale: a first copy may run for weeks.
    lock->setStaleLockTime(0);
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    // Closing the server deletes the socket file; once the lock is free that name may
    // already belong to the next first copy, so the server goes first.
    if (server) {
        // Peers still connected are cut off as the server deletes them; what they sent so far
        // must not be delivered from a guard that is going away.
        for (QLocalSocket* peer : server->findChildren<QLocalSocket*>())
            peer->disconnect(this);
        server.reset();
    }
    lock.reset();
}

bool SingleInstanceGuard::isListening() const { return server && server->isListening(); }

bool SingleInstanceGuard::guardSingleInstance(const InstanceMessage& message)
{
    if (holdsLock)
        return false;  // asked again: this already is the first copy
    switch (handOverOrBecomeFirst(EncodeMessage(message))) {
        case HandOver::Delivered:
            return true;
        case HandOver::BecameFirst:
            startListening();
            return false;
        case HandOver::GaveUp:
            return false;
    }
    return false;
}

// The lock decides who is first. A copy that loses tries to reach the winner, which may
// still be on its way to listening; if the winner dies meanwhile, its lock goes stale and
// this copy wins it on a later round.
SingleInstanceGuard::HandOver SingleInstanceGuard::handOverOrBecomeFirst(const QByteArray& wireMessage)
{
    const QDeadlineTimer deadline(handOverTimeout);
    bool toldWaiting = false;
    for (;;) {
        if (tryTakeLock())
            return HandOver::BecameFirst;
        if (lock->error() != QLockFile::LockFailedError) {
            qCWarning(lcInstance) << "Cannot create the lock file" << paths.lockFile
                                  << "- going on without the single-instance guard.";
            return HandOver::GaveUp;
        }
        if (trySend(wireMessage, std::chrono::milliseconds(deadline.remainingTime())))
            return HandOver::Delivered;
        if (deadline.hasExpired()) {
            qCWarning(lcInstance) << "Another copy holds" << paths.lockFile << "but does not answer on" << paths.socket
                                  << "- going on alongside it.";
            return HandOver::GaveUp;
        }
        if (!toldWaiting) {
            qCDebug(lcInstance) << "Another copy holds" << paths.lockFile
                                << "but is not listening yet; waiting for it.";
            toldWaiting = true;
        }
        QThread::msleep(std::chrono::milliseconds(kRetryInterval).count());
    }
}

bool SingleInstanceGuard::tryTakeLock()
{
    if (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError)
            return false;
        removeLockLeftWithoutOwner();
        if (!lock->tryLock(0))
            return false;
    }
    holdsLock = true;
    qCDebug(lcInstance) << "This is the first copy; holding" << paths.lockFile;
    return true;
}

// QLockFile knows a dead owner by the PID written in the lock file. A file with no readable
// PID (cut short by a full disk or a crash while writing) would block every later start, so
// once it is too old to be still being written, it goes. removeStaleLockFile() leaves alone a
// file whose owner still holds the operating system's lock on it.
void SingleInstanceGuard::removeLockLeftWithoutOwner()
{
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (lock->getLockInfo(&pid, &hostName, &appName))
        return;
    const QDateTime modified = QFileInfo(paths.lockFile).lastModified();
    if (!modified.isValid())
        return;
    const qint64 ageMs = qAbs(modified.msecsTo(QDateTime::currentDateTime()));
    if (ageMs < std::chrono::milliseconds(kUnreadableLockGrace).count())
        return;
    if (lock->removeStaleLockFile())
        qCWarning(lcInstance) << "Removed the unreadable lock file" << paths.lockFile;
}

// True when the running copy took the message (or is alive but too busy to take all of it:
// it runs, so this copy must end either way). False when nobody listens or the listener
// went away mid-message, so the caller should try again.
bool SingleInstanceGuard::trySend(const QByteArray& wireMessage, std::chrono::milliseconds timeout)
{
    QLocalSocket socket;
    socket.connectToServer(paths.socket);
    if (!socket.waitForConnected(ToTimeoutMs(timeout)))
        return false;

    socket.write(wireMessage);
    const QDeadlineTimer writeDeadline(kWriteTimeout);
    while (socket.bytesToWrite() > 0 && !writeDeadline.hasExpired()) {
        if (!socket.waitForBytesWritten(ToTimeoutMs(std::chrono::milliseconds(writeDeadline.remainingTime()))))
            break;
    }
    if (socket.bytesToWrite() > 0) {
        if (socket.state() != QLocalSocket::ConnectedState)
            return false;
        qCWarning(lcInstance) << "The running copy did not take the whole message in time; leaving it.";
        socket.abort();
        return true;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(ToTimeoutMs(kDisconnectTimeout));
    qCDebug(lcInstance) << "Handed the message to the running copy.";
    return true;
}

void SingleInstanceGuard::startListening()
{
    server = std::make_unique<QLocalServer>();
    // Only this user may connect, also when the socket lies in the shared temporary directory.
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // A copy that crashed leaves its socket file behind. Only the lock holder clears it,
    // so a live copy's socket is never removed.
    QLocalServer::removeServer(paths.socket);
    if (!server->listen(paths.socket)) {
        qCWarning(lcInstance) << "Cannot listen on" << paths.socket << ":" << server->errorString()
                              << "- later copies will not reach this one.";
        server.reset();
        return;
    }
    connect(server.get(), &QLocalServer::newConnection, this, &SingleInstanceGuard::acceptPendingPeers);
}

void SingleInstanceGuard::acceptPendingPeers()
{
    while (QLocalSocket* peer = server->nextPendingConnection())
        readMessageFrom(peer);
}

namespace {
struct PeerConversation {
    QByteArray pending;  // received after the last complete line
    bool finished = false;
    bool messageTaken = false;  // the first line was a message
};
}  // namespace

// Takes each line as it comes, until the message's last line or the end of the connection,
// and hands each part on in order. The peer socket is a child of the server and is deleted when the conversation
// ends.
void SingleInstanceGuard::readMessageFrom(QLocalSocket* peer)
{
    auto conversation = std::make_shared<PeerConversation>();
    auto finish = [peer, conversation] {
        conversation->finished = true;
        peer->abort();
        peer->deleteLater();
    };
    auto readAvailable = [this, peer, conversation, finish](bool connectionEnded) {
        if (conversation->finished)
            return;
        QByteArray& pending = conversation->pending;
        std::vector<InstanceMessage> messages;
        bool ended = false;
        for (;;) {
            if (peer->isOpen() && pending.size() <= kMaxMessageBytes)  // a closed socket has nothing more
                pending += peer->read(kMaxMessageBytes + 1 - pending.size());
            const qsizetype newline = pending.indexOf('\n');
            if (newline < 0)
                break;
            const QByteArray line = pending.left(newline);
            pending.remove(0, newline + 1);
            std::optional<WireLine> taken = TakeLine(line, !conversation->messageTaken);
            if (!taken) {
                ended = true;
                break;
            }
            conversation->messageTaken = true;
            ended = !taken->more;
            messages.push_back(std::move(taken->message));
            if (ended)
                break;
        }
        if (!ended && pending.size() > kMaxMessageBytes) {
            qCWarning(lcInstance) << "Dropped an oversized message from a peer.";
            ended = true;
        }
        if (!ended && connectionEnded) {
            // An unended last line counts as a line.
            if (std::optional<WireLine> taken = TakeLine(pending, !conversation->messageTaken);
                taken && !pending.trimmed().isEmpty())
                messages.push_back(std::move(taken->message));
            ended = true;
        }
        if (ended)
            finish();
        // Last: a receiver may even delete this guard.
        const QPointer<SingleInstanceGuard> alive(this);
        for (const InstanceMessage& message : messages) {
            if (!alive)
                return;
            emit messageReceived(message);
        }
    };
    connect(peer, &QLocalSocket::readyRead, this, [readAvailable] { readAvailable(false); });
    connect(peer, &QLocalSocket::disconnected, this, [readAvailable] { readAvailable(true); });
    QTimer::singleShot(kPeerReadTimeout, peer, [conversation, finish] {
        if (!conversation->finished) {
            qCWarning(lcInstance) << "Dropped a peer that sent no complete message in time.";
            finish();
        }
    });
    if (peer->bytesAvailable() > 0)
        readAvailable(false);
}
