#pragma once
// The online lookup of discs the CD information database does not know, at MusicBrainz or a
// server that answers as it does: GET {server}/ws/2/discid/{id}?inc=recordings+artist-credits
// &fmt=json, where id is the disc's MusicBrainz identifier, the only thing about the disc that
// is sent. The window goes on while the request runs; its answer comes back through the
// callbacks in the event loop.
//
// Requests follow MusicBrainz's rules: a User-Agent naming the program, its version and home
// page, at most one request a second, and a "503" (too many requests) is asked once more
// after its Retry-After. A request gets 10 seconds and an answer at most 2 MiB; every failure
// ends in one call of `failed`, never in another try.
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "core/cd/DiscLookup.h"

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

class OnlineDiscLookup final : public QObject, public DiscLookup {
    Q_OBJECT
public:
    static constexpr int kTimeLimitMilliseconds = 10000;
    static constexpr int kLeastGapMilliseconds = 1000;
    // A server that asks for a longer pause than this is taken as refusing.
    static constexpr int kLongestRetryAfterSeconds = 30;

    explicit OnlineDiscLookup(QObject* parent = nullptr);
    ~OnlineDiscLookup() override;

    void lookUp(const DiscTableOfContents& toc, const std::string& server, Callbacks callbacks) override;
    void cancel() override;

    // "Sonorail/3.0 ( home page )".
    static QByteArray userAgent();

private:
    void send();
    void readSome();
    void finished();
    void timedOut();
    void answered(const QByteArray& body);
    void fail(const QString& why);
    void failLater(const QString& why);
    void notUnderWay();
    QNetworkAccessManager& network();

    QNetworkAccessManager* manager = nullptr;  // made at the first lookup
    QTimer* sendTimer;                         // the pause before a request
    QTimer* limitTimer;                        // the time a request is given
    QPointer<QNetworkReply> reply;
    QElapsedTimer lastSent;
    QUrl url;
    QString host;
    std::string discId;
    Callbacks callbacks;
    QByteArray body;
    quint64 generation = 0;  // the request a late failure belongs to
    bool retried = false;
    bool tooLarge = false;
    bool expired = false;
};
