#pragma once
// Desktop media control over D-Bus (MPRIS 2): panels, media keys and other programs play,
// pause, skip and watch the jukebox. Methods answer at once and run their command on the
// event loop afterwards, so a question or error box never keeps a caller waiting.
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <cstdint>
#include <functional>

#include "core/base/Command.h"
#include "core/queue/PlayQueue.h"

class CommandDispatcher;
class Jukebox;

inline constexpr const char* kMprisServiceName = "org.mpris.MediaPlayer2.sonorail";
inline constexpr const char* kMprisObjectPath = "/org/mpris/MediaPlayer2";

class MprisService : public QObject, private PlayQueueObserver {
    Q_OBJECT
public:
    // raiseWindow brings the program's window forward (Raise).
    MprisService(Jukebox& session, CommandDispatcher& commands, std::function<void()> raiseWindow,
                 QObject* parent = nullptr);
    ~MprisService() override;

    // Registers on the session bus as serviceName, or, when another copy (of another
    // program directory) holds it, as serviceName.instance<pid> as MPRIS provides; false
    // (and the program runs on) when there is no bus.
    bool registerOnSessionBus(const QString& serviceName = QString::fromLatin1(kMprisServiceName));
    const QString& busName() const { return registeredName; }

    // Sends PropertiesChanged for what changed since the last call, and TrackListReplaced
    // when the queue changed; the monitor tick calls it.
    void publishChanges();

    // What the interfaces report.
    QString playbackStatus() const;
    QVariantMap metadata() const;
    qlonglong positionMicroseconds() const;
    QList<QDBusObjectPath> tracks() const;
    QVariantMap trackMetadata(const QueueEntry& entry) const;
    // The metadata of the queue rows with these ids, in the order asked; unknown ids are left out.
    QList<QVariantMap> tracksMetadata(const QList<QDBusObjectPath>& ids) const;
    // What the player interface offers, as the interface defines it rather than as the
    // buttons are greyed: Play while an item is current (playing or paused) or the queue
    // holds a row to start; Pause and Next while an item is current; Seek while a player
    // item is open.
    bool canPlay() const;
    bool canPause() const;
    bool canGoNext() const;
    bool canSeek() const;
    QString loopStatus() const;
    bool shuffle() const;

    // What the interfaces do, each on the event loop after the reply.
    void later(std::function<void()> action);
    void raise();
    void runCommand(Command command);
    // Each does nothing where its Can* property is false, and Play nothing while playing.
    void play();
    void pause();
    void playPause();
    void stop();
    void next();
    void seekBy(qlonglong offsetMicroseconds);
    void setPosition(const QDBusObjectPath& track, qlonglong positionMicroseconds);
    void openUri(const QString& uri);
    void goTo(const QDBusObjectPath& track);
    void setLoopStatus(const QString& status);
    void setShuffle(bool on);

signals:
    void Seeked(qlonglong position);  // relayed by the player interface

private:
    void beginInsertRows(int, int) override {}
    void endInsertRows() override { queueChanged = true; }
    void beginRemoveRows(int, int) override {}
    void endRemoveRows() override { queueChanged = true; }
    void rowsChanged(int, int) override { queueChanged = true; }
    void selectionChanged(QueueList, int, int) override {}

    QVariantMap playerProperties() const;
    void addDiscNames(QVariantMap& data, const std::string& entry) const;
    void addMusicTags(QVariantMap& data, const std::string& path) const;
    bool hasCurrentItem() const;
    long itemLengthMs() const;
    void seekWithinItem(long milliseconds);
    // Everything the player properties are computed from, read cheaply: while it stays the
    // same the properties are not built again (the monitor calls five times a second).
    struct Inputs {
        int playState = -1;
        int activeMedia = -1;
        std::uint64_t itemId = 0;
        bool playerOpen = false;
        long cdTrackLength = 0;
        bool continuous = false;
        bool shuffle = false;
        bool queueEmpty = true;
        std::uint64_t tagsGeneration = 0;
        bool operator==(const Inputs&) const = default;
    };
    Inputs currentInputs() const;
    void emitPropertiesChanged(const QString& interface, const QVariantMap& changed);

    Jukebox& session;
    CommandDispatcher& commands;
    std::function<void()> raiseWindow;
    QVariantMap lastPlayerProperties;
    Inputs lastInputs;
    std::uint64_t tagsGeneration = 0;  // counts the tags read for the current item
    bool queueChanged = false;
    bool registered = false;
    QString registeredName;
};

// org.freedesktop path of a queue entry's track id.
QDBusObjectPath MprisTrackPath(std::uint64_t id);
