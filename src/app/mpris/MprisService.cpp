#include "app/mpris/MprisService.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusMessage>
#include <QFile>
#include <QHash>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "app/mpris/MprisAdaptors.h"
#include "core/base/GuardedCall.h"
#include "core/cd/CdEntry.h"
#include "core/formats/MediaKind.h"
#include "core/session/Jukebox.h"
#include "ui/commands/CommandDispatcher.h"
#include "ui/files/LocalFileUrl.h"
#include "ui/queue/MusicTagCache.h"

namespace {

const char* const kNoTrack = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

bool isPlayerMedia(ActiveMedia media)
{
    return media == ActiveMedia::Midi || media == ActiveMedia::Wave || media == ActiveMedia::Video ||
           media == ActiveMedia::CdTrack;
}

QString fromBytes(const std::string& text) { return QFile::decodeName(QByteArray::fromStdString(text)); }

// A file as a file:// URL of its name's bytes, percent-encoded, so a name that is not valid
// UTF-8 still leads to the file; a CD entry ("02:Name.cdt") as the track of the disc.
QString urlOf(const std::string& text)
{
    if (ClassifyEntry(text) == MediaKind::CdTrack)
        return QStringLiteral("cdda:///") + QString::number(QString::fromStdString(text.substr(0, 2)).toInt());
    const QByteArray path = QByteArray::fromStdString(text).toPercentEncoding("/!$&'()*+,;=:@");
    return QStringLiteral("file://") + QString::fromLatin1(path);
}

}  // namespace

QDBusObjectPath MprisTrackPath(std::uint64_t id)
{
    return QDBusObjectPath(QStringLiteral("/org/sonorail/track/") + QString::number(id));
}

MprisService::MprisService(Jukebox& session, CommandDispatcher& commands, std::function<void()> raiseWindow,
                           QObject* parent)
    : QObject(parent), session(session), commands(commands), raiseWindow(std::move(raiseWindow))
{
    qDBusRegisterMetaType<QList<QVariantMap>>();
    new MprisRootAdaptor(this);
    new MprisPlayerAdaptor(this);
    new MprisTrackListAdaptor(this);
    session.playQueue().addObserver(this);
    connect(&MusicTagCache::instance(), &MusicTagCache::tagsRead, this, [this](const QString& path) {
        if (QFile::encodeName(path).toStdString() == this->session.playback().currentItem)
            ++tagsGeneration;
    });
}

MprisService::~MprisService()
{
    session.playQueue().removeObserver(this);
    if (registered) {
        QDBusConnection::sessionBus().unregisterService(registeredName);
        QDBusConnection::sessionBus().unregisterObject(QString::fromLatin1(kMprisObjectPath));
    }
}

bool MprisService::registerOnSessionBus(const QString& serviceName)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(QString::fromLatin1(kMprisObjectPath), this, QDBusConnection::ExportAdaptors))
        return false;
    registeredName = serviceName;
    registered = bus.registerService(registeredName);
    if (!registered) {
        registeredName =
            serviceName + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid());
        registered = bus.registerService(registeredName);
    }
    lastPlayerProperties = playerProperties();
    lastInputs = currentInputs();
    return registered;
}

// Paused counts: the interface asks Play and Pause to be offered alike while playing and
// while paused. Resuming is transient and never seen between two events.
bool MprisService::hasCurrentItem() const { return session.playback().playState != PlayState::Stopped; }

bool MprisService::canPlay() const { return hasCurrentItem() || !session.playQueue().empty(); }
bool MprisService::canPause() const { return hasCurrentItem(); }
// With no row left, Next ends playback, as the interface asks of a last track.
bool MprisService::canGoNext() const { return hasCurrentItem(); }

QString MprisService::playbackStatus() const
{
    switch (session.playback().playState) {
        case PlayState::Playing:
        case PlayState::Resuming:
            return QStringLiteral("Playing");
        case PlayState::Paused:
            return QStringLiteral("Paused");
        default:
            return QStringLiteral("Stopped");
    }
}

QVariantMap MprisService::metadata() const
{
    const PlaybackState& state = session.playback();
    if (state.currentItem.empty())
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(QString::fromLatin1(kNoTrack)))}};
    QVariantMap data{
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(MprisTrackPath(state.currentItemId))},
        {QStringLiteral("xesam:url"), urlOf(state.currentItem)},
        {QStringLiteral("xesam:title"), fromBytes(QueueShortName(state.currentItem))},
    };
    if (ClassifyEntry(state.currentItem) == MediaKind::CdTrack)
        addDiscNames(data, state.currentItem);
    if (const MediaKind kind = ClassifyEntry(state.currentItem); kind == MediaKind::Music || kind == MediaKind::Movie)
        addMusicTags(data, state.currentItem);
    if (isPlayerMedia(state.activeMedia) && session.player().isOpen()) {
        GuardedCall([&] {
            const long length =
                state.activeMedia == ActiveMedia::CdTrack ? state.CdTrackLength : session.player().length();
            data.insert(QStringLiteral("mpris:length"), qlonglong(length) * 1000);
        });
    }
    return data;
}

// A CD track is named as the CD panel names it: the track's name, the disc's title as the
// album and its author as the artist (neither while the panel shows its prompts).
void MprisService::addDiscNames(QVariantMap& data, const std::string& entry) const
{
    data.insert(QStringLiteral("xesam:title"), QString::fromStdString(CdEntry::trackName(entry)));
    const CdMode& cd = session.cd();
    if (const std::string title = cd.discTitle(); !title.empty())
        data.insert(QStringLiteral("xesam:album"), QString::fromStdString(title));
    if (const std::string author = cd.discAuthor(); !author.empty())
        data.insert(QStringLiteral("xesam:artist"), QStringList{QString::fromStdString(author)});
}

// A music file as its tags name it, once they have been read (off the event loop: the first
// look starts the read, and the metadata changes when it is done). A file without tags keeps
// its name as the title.
void MprisService::addMusicTags(QVariantMap& data, const std::string& path) const
{
    const KnownMusic* known = MusicTagCache::instance().lookUp(path);
    if (!known)
        return;
    const MusicTags& tags = known->tags;
    const auto text = [](const std::string& utf8) { return QString::fromStdString(utf8); };
    if (!tags.title.empty())
        data.insert(QStringLiteral("xesam:title"), text(tags.title));
    if (!tags.artists.empty()) {
        QStringList artists;
        for (const std::string& artist : tags.artists)
            artists.append(text(artist));
        data.insert(QStringLiteral("xesam:artist"), artists);
    }
    if (!tags.album.empty())
        data.insert(QStringLiteral("xesam:album"), text(tags.album));
    if (!tags.albumArtist.empty())
        data.insert(QStringLiteral("xesam:albumArtist"), QStringList{text(tags.albumArtist)});
    if (tags.trackNumber > 0)
        data.insert(QStringLiteral("xesam:trackNumber"), tags.trackNumber);
    if (!tags.genre.empty())
        data.insert(QStringLiteral("xesam:genre"), QStringList{text(tags.genre)});
    if (tags.lengthMs > 0)
        data.insert(QStringLiteral("mpris:length"), qlonglong(tags.lengthMs) * 1000);
    if (!known->artPath.empty())
        data.insert(QStringLiteral("mpris:artUrl"), urlOf(known->artPath));
}

qlonglong MprisService::positionMicroseconds() const
{
    const PlaybackState& state = session.playback();
    if (!isPlayerMedia(state.activeMedia) || !session.player().isOpen())
        return 0;
    try {
        long position = session.player().position();
        if (state.activeMedia == ActiveMedia::CdTrack)
            position -= state.CdTrackStart;
        return qlonglong(position) * 1000;
    } catch (const SonorailError&) {
        return 0;
    }
}

bool MprisService::canSeek() const
{
    return isPlayerMedia(session.playback().activeMedia) && session.player().isOpen();
}

QList<QDBusObjectPath> MprisService::tracks() const
{
    QList<QDBusObjectPath> paths;
    const PlayQueue& queue = session.playQueue();
    for (int row = 0; row < queue.count(); ++row)
        paths.append(MprisTrackPath(queue.entry(row).id));
    return paths;
}

QVariantMap MprisService::trackMetadata(const QueueEntry& entry) const
{
    return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(MprisTrackPath(entry.id))},
            {QStringLiteral("xesam:url"), urlOf(entry.text)},
            {QStringLiteral("xesam:title"), fromBytes(entry.fileName)}};
}

QList<QVariantMap> MprisService::tracksMetadata(const QList<QDBusObjectPath>& ids) const
{
    QHash<QString, int> rowOf;
    const PlayQueue& queue = session.playQueue();
    for (int row = 0; row < queue.count(); ++row)
        rowOf.insert(MprisTrackPath(queue.entry(row).id).path(), row);
    QList<QVariantMap> result;
    for (const QDBusObjectPath& id : ids) {
        auto found = rowOf.constFind(id.path());
        if (found != rowOf.constEnd())
            result.append(trackMetadata(queue.entry(*found)));
    }
    return result;
}

QString MprisService::loopStatus() const
{
    return session.playModes().checked(PlayMode::Continuous) ? QStringLiteral("Playlist") : QStringLiteral("None");
}

bool MprisService::shuffle() const { return session.playModes().checked(PlayMode::Shuffle); }

void MprisService::later(std::function<void()> action)
{
    QTimer::singleShot(0, this, [action = std::move(action)] { GuardedCall(action); });
}

void MprisService::raise()
{
    later([this] { raiseWindow(); });
}

void MprisService::runCommand(Command command)
{
    later([this, command] { commands.ExecuteCommand(command); });
}

// A remote Play while playing must not skip (the program's own Play starts the next row then).
void MprisService::play()
{
    later([this] {
        if (session.playback().playState != PlayState::Playing && canPlay())
            commands.ExecuteCommand(Command::Play);
    });
}

void MprisService::pause()
{
    later([this] {
        if (session.playback().playState == PlayState::Playing)
            commands.ExecuteCommand(Command::Pause);
    });
}

void MprisService::playPause()
{
    later([this] {
        if (session.playback().playState == PlayState::Playing)
            commands.ExecuteCommand(Command::Pause);
        else if (canPlay())
            commands.ExecuteCommand(Command::Play);
    });
}

void MprisService::stop()
{
    later([this] {
        if (hasCurrentItem())
            commands.ExecuteCommand(Command::Stop);
    });
}

void MprisService::next()
{
    later([this] {
        if (canGoNext())
            commands.ExecuteCommand(Command::Next);
    });
}

long MprisService::itemLengthMs() const
{
    const PlaybackState& state = session.playback();
    return state.activeMedia == ActiveMedia::CdTrack ? state.CdTrackLength : session.player().length();
}

// Back past the start seeks to the start; on past the end goes to the next item.
void MprisService::seekBy(qlonglong offsetMicroseconds)
{
    later([this, offsetMicroseconds] {
        if (!canSeek())
            return;
        const qlonglong target = std::max<qlonglong>(0, positionMicroseconds() + offsetMicroseconds) / 1000;
        const long length = itemLengthMs();
        if (length > 0 && target >= length)
            commands.ExecuteCommand(Command::Next);
        else
            seekWithinItem(static_cast<long>(target));
    });
}

// A position outside the item, or for an item that no longer plays, is ignored.
void MprisService::setPosition(const QDBusObjectPath& track, qlonglong positionMicroseconds)
{
    if (!canSeek() || track != MprisTrackPath(session.playback().currentItemId) || positionMicroseconds < 0)
        return;
    const qlonglong target = positionMicroseconds / 1000;
    if (const long length = itemLengthMs(); length > 0 && target > length)
        return;
    seekWithinItem(static_cast<long>(target));
}

void MprisService::seekWithinItem(long milliseconds)
{
    const PlaybackState& state = session.playback();
    MediaPlayer& player = session.player();
    player.seek(state.activeMedia == ActiveMedia::CdTrack ? state.CdTrackStart + milliseconds : milliseconds);
    if (state.playState == PlayState::Playing)
        player.play();
    emit Seeked(qlonglong(milliseconds) * 1000);
}

void MprisService::openUri(const QString& uri)
{
    const std::optional<std::string> file = LocalFileBytes(QUrl(uri));
    if (!file)
        return;
    later([this, path = *file] {
        const bool nothingPlays = session.playback().playState == PlayState::Stopped;
        session.queueEditing().AddFiles({path}, nothingPlays);
        if (nothingPlays)
            commands.ExecuteCommand(Command::Play);
    });
}

// When nothing plays, the chosen row goes to the top and plays.
void MprisService::goTo(const QDBusObjectPath& track)
{
    later([this, track] {
        if (session.playback().playState != PlayState::Stopped)
            return;
        PlayQueue& queue = session.playQueue();
        for (int row = 0; row < queue.count(); ++row) {
            if (MprisTrackPath(queue.entry(row).id) != track)
                continue;
            QueueEntry entry = queue.entry(row);
            queue.removeIf([row](int candidate) { return candidate == row; });
            queue.insert(0, {entry});
            commands.ExecuteCommand(Command::Play);
            return;
        }
    });
}

void MprisService::setLoopStatus(const QString& status)
{
    later([this, on = status != QLatin1String("None")] { session.playModes().setChecked(PlayMode::Continuous, on); });
}

void MprisService::setShuffle(bool on)
{
    later([this, on] { session.playModes().setChecked(PlayMode::Shuffle, on); });
}

MprisService::Inputs MprisService::currentInputs() const
{
    const PlaybackState& state = session.playback();
    return {static_cast<int>(state.playState),
            static_cast<int>(state.activeMedia),
            state.currentItemId,
            session.player().isOpen(),
            state.CdTrackLength,
            session.playModes().checked(PlayMode::Continuous),
            session.playModes().checked(PlayMode::Shuffle),
            session.playQueue().empty(),
            tagsGeneration};
}

QVariantMap MprisService::playerProperties() const
{
    return {{QStringLiteral("PlaybackStatus"), playbackStatus()},
            {QStringLiteral("Metadata"), metadata()},
            {QStringLiteral("CanPlay"), canPlay()},
            {QStringLiteral("CanPause"), canPause()},
            {QStringLiteral("CanGoNext"), canGoNext()},
            {QStringLiteral("CanSeek"), canSeek()},
            {QStringLiteral("LoopStatus"), loopStatus()},
            {QStringLiteral("Shuffle"), shuffle()}};
}

void MprisService::publishChanges()
{
    if (!registered)
        return;
    const Inputs inputs = currentInputs();
    if (inputs != lastInputs) {
        lastInputs = inputs;
        const QVariantMap now = playerProperties();
        QVariantMap changed;
        for (auto property = now.cbegin(); property != now.cend(); ++property) {
            if (lastPlayerProperties.value(property.key()) != property.value())
                changed.insert(property.key(), property.value());
        }
        lastPlayerProperties = now;
        if (!changed.isEmpty())
            emitPropertiesChanged(QStringLiteral("org.mpris.MediaPlayer2.Player"), changed);
    }
    if (queueChanged) {
        queueChanged = false;
        if (auto* trackList = findChild<MprisTrackListAdaptor*>())
            emit trackList->TrackListReplaced(tracks(), QDBusObjectPath(QString::fromLatin1(kNoTrack)));
    }
}

void MprisService::emitPropertiesChanged(const QString& interface, const QVariantMap& changed)
{
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kMprisObjectPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << interface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}
