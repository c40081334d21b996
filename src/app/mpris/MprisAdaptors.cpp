#include "app/mpris/MprisAdaptors.h"

#include "app/mpris/MprisService.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), service(service) {}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return {QStringLiteral("audio/midi"),
            QStringLiteral("audio/x-wav"),
            QStringLiteral("video/x-msvideo"),
            QStringLiteral("text/plain"),
            QStringLiteral("text/rtf"),
            QStringLiteral("image/bmp"),
            QStringLiteral("image/vnd.microsoft.icon"),
            QStringLiteral("image/wmf"),
            QStringLiteral("image/png"),
            QStringLiteral("image/jpeg"),
            QStringLiteral("image/x-pcx"),
            QStringLiteral("application/x-cd-track"),
            QStringLiteral("audio/mpeg"),
            QStringLiteral("audio/ogg"),
            QStringLiteral("audio/x-vorbis+ogg"),
            QStringLiteral("audio/x-opus+ogg"),
            QStringLiteral("audio/flac"),
            QStringLiteral("audio/mp4"),
            QStringLiteral("audio/aac"),
            QStringLiteral("audio/x-ms-wma"),
            QStringLiteral("video/mp4"),
            QStringLiteral("video/x-m4v"),
            QStringLiteral("video/x-matroska"),
            QStringLiteral("video/webm"),
            QStringLiteral("video/quicktime"),
            QStringLiteral("video/mpeg"),
            QStringLiteral("video/x-ms-wmv"),
            QStringLiteral("video/ogg")};
}

void MprisRootAdaptor::Raise() { service->raise(); }
void MprisRootAdaptor::Quit() { service->runCommand(Command::Exit); }

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), service(service)
{
    connect(service, &MprisService::Seeked, this, &MprisPlayerAdaptor::Seeked);
}

QString MprisPlayerAdaptor::playbackStatus() const { return service->playbackStatus(); }
QString MprisPlayerAdaptor::loopStatus() const { return service->loopStatus(); }
void MprisPlayerAdaptor::setLoopStatus(const QString& status) { service->setLoopStatus(status); }
bool MprisPlayerAdaptor::shuffle() const { return service->shuffle(); }
void MprisPlayerAdaptor::setShuffle(bool on) { service->setShuffle(on); }
QVariantMap MprisPlayerAdaptor::metadata() const { return service->metadata(); }
qlonglong MprisPlayerAdaptor::position() const { return service->positionMicroseconds(); }
bool MprisPlayerAdaptor::canGoNext() const { return service->canGoNext(); }
bool MprisPlayerAdaptor::canPlay() const { return service->canPlay(); }
bool MprisPlayerAdaptor::canPause() const { return service->canPause(); }
bool MprisPlayerAdaptor::canSeek() const { return service->canSeek(); }

void MprisPlayerAdaptor::Next() { service->next(); }
void MprisPlayerAdaptor::Pause() { service->pause(); }
void MprisPlayerAdaptor::PlayPause() { service->playPause(); }
void MprisPlayerAdaptor::Stop() { service->stop(); }
void MprisPlayerAdaptor::Play() { service->play(); }
void MprisPlayerAdaptor::Seek(qlonglong offset) { service->seekBy(offset); }

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position)
{
    service->later([this, trackId, position] { service->setPosition(trackId, position); });
}

void MprisPlayerAdaptor::OpenUri(const QString& uri) { service->openUri(uri); }

MprisTrackListAdaptor::MprisTrackListAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), service(service) {}

QList<QDBusObjectPath> MprisTrackListAdaptor::tracks() const { return service->tracks(); }

QList<QVariantMap> MprisTrackListAdaptor::GetTracksMetadata(const QList<QDBusObjectPath>& trackIds)
{
    return service->tracksMetadata(trackIds);
}

void MprisTrackListAdaptor::GoTo(const QDBusObjectPath& trackId) { service->goTo(trackId); }
